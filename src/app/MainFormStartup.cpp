// The frame's start-up (settings, language, recent files, translation, command line),
// its file commands routed to the active document window, the help commands and the
// shut-down.
#include "app/AboutBox.h"
#include "app/ActionTable.h"
#include "app/AppConstants.h"
#include "app/ErrorReport.h"
#include "app/MDIChild.h"
#include "app/MainForm.h"
#include "app/MessageBox.h"
#include "localization/DlgTexte.h"
#include "localization/widgets/FormTranslator.h"
#include "settings/FileAssociation.h"
#include "settings/ZOVUtil.h"
#include "settings/widgets/Setup2.h"

#include <QAction>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QUrl>

namespace zov {

namespace {

const QString kManualName = QStringLiteral("ZOV_MANUAL.PDF");

void ShowMessage(QWidget* parent, const QString& text) {
    AskMessageBox(parent, QMessageBox::Information, QStringLiteral("MessageBox"), text,
                  QMessageBox::Ok);
}

// The manual beside the program, or in its docs folder.
QString FindManual() {
    for (const QString& folder : {ProgramDir(), ProgramDir() + QStringLiteral("docs/")}) {
        const QString path = folder + kManualName;
        if (QFileInfo::exists(path)) {
            return path;
        }
    }
    return QString();
}

} // namespace

TStartResult TMainForm::FormShow(const QStringList& arguments) {
    LoadProgramSettings();
    DlgTexte.SetLanguage(PRG.LANGUAGE);
    LoadRecentFiles();
    BuildRecentFileMenu();
    fOpenFilters = GraphFileFilters();
    TranslateWindow();
    if (arguments.isEmpty()) {
        OpenDocumentWindow(NewGraphName(1));
        return srRun;
    }
    const QString& first = arguments.front();
    if (first == QLatin1String("INST")) {
        RegisterApplication(false);
        return srQuit;
    }
    try {
        OpenDocumentWindow(first);
    } catch (const std::exception& error) {
        ShowErrorMessage(error);
    }
    return srRun;
}

void TMainForm::TranslateWindow() {
    TFormTranslator translator(DlgTexte, objectName());
    translator.TranslateActions(fActionList);
    translator.TranslateMenus(*menuBar());
}

void TMainForm::BuildRecentFileMenu() {
    for (qsizetype i = 0; i < RecentFilesAtStart.size() && i < kRecentFileCount; ++i) {
        const QString& name = RecentFilesAtStart[i];
        if (name.isEmpty() || !QFileInfo::exists(name)) {
            continue;
        }
        QString caption = name;
        caption.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction* item = File1->addAction(QIcon(QStringLiteral(":/icons/open.svg")), caption);
        item->setObjectName(QStringLiteral("RecentFile%1").arg(i));
        const int index = static_cast<int>(i);
        OnTriggered(item, this, [this, index] { RecentFileClick(index); });
    }
}

void TMainForm::RecentFileClick(int index) {
    OpenDocumentWindow(RecentFilesAtStart.value(index));
}

TMDIChild* TMainForm::OpenDocumentWindow(const QString& fileName) {
    auto* child = new TMDIChild;
    QMdiSubWindow* window = fMdiArea->addSubWindow(child);
    window->setAttribute(Qt::WA_DeleteOnClose);
    child->setWindowTitle(fileName);
    child->SetSaveFilters(fOpenFilters);
    window->showMaximized();
    if (QFileInfo::exists(fileName)) {
        child->OpenFile(fileName);
    }
    return child;
}

void TMainForm::FileNew1Execute() {
    OpenDocumentWindow(NewGraphName(static_cast<int>(fMdiArea->subWindowList().size()) + 1));
}

void TMainForm::FileOpen1Execute() {
    QFileDialog dialog(this);
    dialog.setObjectName(QStringLiteral("OpenDialog"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(fOpenFilters);
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        OpenDocumentWindow(dialog.selectedFiles().front());
    }
}

void TMainForm::FileClose1Execute() {
    const auto count = fMdiArea->subWindowList().size();
    if (QMdiSubWindow* window = fMdiArea->activeSubWindow()) {
        window->close();
    }
    // The window just closed still counts, so closing the last one ends the program.
    if (count <= 1) {
        close();
    }
}

void TMainForm::FileSave1Execute() {
    // Save runs only while the document's own Save would: when the graph is modified.
    TMDIChild* child = ActiveChild();
    if (child != nullptr && child->Graph().Modified()) {
        child->FileSave();
    }
}

void TMainForm::FileSaveAs1Execute() {
    TMDIChild* child = ActiveChild();
    if (child != nullptr && child->Graph().ObjectsCount() > 0) {
        child->FileSaveAs();
    }
}

void TMainForm::PrintFileExecute() {
    TMDIChild* child = ActiveChild();
    if (child != nullptr && child->Action(QStringLiteral("FilePrint"))->isEnabled()) {
        child->FilePrint();
    }
}

void TMainForm::FileExit1Execute() {
    close();
}

void TMainForm::HelpAbout1Execute() {
    fAboutBox->exec();
}

void TMainForm::actZOVHELPExecute() {
    const QString manual = FindManual();
    if (manual.isEmpty()) {
        ShowMessage(this, QStringLiteral("ZOV_MANUAL.PDF not found!"));
        return;
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(manual));
}

void TMainForm::RegisterApplication(bool showSuccess) {
    try {
        InstallFileAssociation();
    } catch (const std::exception&) {
        ShowMessage(this, QStringLiteral(
                              "not enaught rights! Please try it again with administrator rights"));
        return;
    }
    if (showSuccess) {
        ShowMessage(this, QStringLiteral("well done!"));
    }
}

void TMainForm::RegApplicationExecute() {
    RegisterApplication(true);
}

void TMainForm::SetupExecute() {
    TSetup2::Execute(this);
}

void TMainForm::closeEvent(QCloseEvent* event) {
    const QList<TMDIChild*> children = Children();
    for (TMDIChild* child : children) {
        if (!child->IsGraphSaved()) {
            event->ignore();
            return;
        }
    }
    for (QMdiSubWindow* window : fMdiArea->subWindowList()) {
        window->close();
    }
    SaveRecentFiles();
    event->accept();
}

} // namespace zov
