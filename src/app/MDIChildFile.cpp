// The document window's files: loading, saving, asking to save, export and the graph
// as a picture on the clipboard.
#include "app/AppConstants.h"
#include "app/MDIChild.h"
#include "app/MessageBox.h"
#include "graph/document/GraphDocument.h"
#include "localization/DlgTexte.h"
#include "platform/stream/FileIO.h"
#include "platform/stream/Stream.h"
#include "platform/types/Exceptions.h"
#include "settings/ZOVUtil.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QScopedValueRollback>

namespace zov {

namespace {

// The export formats: the dialog's filter, the file extension, how to write it.
struct TExportFormat {
    const char* Filter;
    const char* Extension;
    void (*Write)(TRaroviRovoz& graph, const QString& fileName);
};

const TExportFormat kExportFormats[] = {
    {"Enhanced Metafiles (*.emf)", "emf",
     [](TRaroviRovoz& graph, const QString& name) {
         graph.SaveAsMetafile(name);
     }},
    {"SVG Images (*.svg)", "svg",
     [](TRaroviRovoz& graph, const QString& name) {
         graph.SaveAsSvg(name);
     }},
    {"PDF Documents (*.pdf)", "pdf",
     [](TRaroviRovoz& graph, const QString& name) {
         graph.SaveAsPdf(name);
     }},
    {"PNG Images (*.png)", "png",
     [](TRaroviRovoz& graph, const QString& name) {
         graph.SaveAsImage(name, "png");
     }},
    {"Bitmaps (*.bmp)", "bmp",
     [](TRaroviRovoz& graph, const QString& name) {
         graph.SaveAsImage(name, "bmp");
     }},
};

// The format a name's extension asks for, else the one of the chosen filter.
const TExportFormat& ExportFormatFor(const QString& fileName, const QString& filter) {
    const QString suffix = QFileInfo(fileName).suffix();
    for (const TExportFormat& format : kExportFormats) {
        if (suffix.compare(QLatin1String(format.Extension), Qt::CaseInsensitive) == 0) {
            return format;
        }
    }
    for (const TExportFormat& format : kExportFormats) {
        if (filter == QLatin1String(format.Filter)) {
            return format;
        }
    }
    return kExportFormats[0];
}

QString ChosenFile(const QFileDialog& dialog) {
    const QStringList files = dialog.selectedFiles();
    return files.isEmpty() ? QString() : files.front();
}

} // namespace

void TMDIChild::OpenFile(const QString& sFile) {
    // The whole file is read and checked first: loading keeps what it can read, and
    // a file that breaks off half way must not replace the graph the user has.
    const QByteArray bytes = ReadFileBytes(sFile);
    if (!TGraphDocument::IsCompleteGraph(bytes)) {
        throw EGraphStreamError(
            QStringLiteral("The file %1 is damaged or incomplete; it was not opened.").arg(sFile));
    }
    {
        const QScopedValueRollback loading(bFileload, true);
        TMemoryStream stream(bytes);
        RaroviRovoz->LoadFromStream(stream);
    }
    RaroviRovoz->History().Clear();
    fSaveFileName = QFileInfo(sFile).absoluteFilePath();
    SetCaptionFromSaveName();
}

bool TMDIChild::IsGraphSaved() {
    if (!RaroviRovoz->Modified()) {
        return true;
    }
    const QString question =
        DlgTexte.Get(QStringLiteral("MDIChild_SaveChg"),
                     QStringLiteral("Graph has been changed, would you like to save changes?"));
    switch (AskMessageBox(this, QMessageBox::Question, QStringLiteral("SaveChangesBox"), question,
                          QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                          QMessageBox::Cancel)) {
    case QMessageBox::Yes:
        FileSave();
        return !RaroviRovoz->Modified();
    case QMessageBox::No:
        RaroviRovoz->SetModified(false);
        return true;
    default:
        return false;
    }
}

void TMDIChild::FileNewExecute() {
    if (!IsGraphSaved()) {
        return;
    }
    RaroviRovoz->Clear();
    RaroviRovoz->SetCommandMode(cmEdit);
    fSaveFileName = kUntitled;
    RaroviRovoz->SetPaperType(pA4);
    RaroviRovoz->SetLage('L');
    RaroviRovoz->History().Clear();
    SetCaptionFromSaveName();
}

void TMDIChild::FileOpenExecute() {
    if (!IsGraphSaved()) {
        return;
    }
    QFileDialog dialog(this, QStringLiteral("Open Graph"));
    dialog.setObjectName(QStringLiteral("OpenDialog"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters({GraphFileFilters().front(), QStringLiteral("Rarovi Rovoz Files (*.sgp)"),
                           QStringLiteral("All Files (*)")});
    dialog.setDefaultSuffix(GraphFileExt);
    auto* readOnly = new QCheckBox(QStringLiteral("Open as read-only"), &dialog);
    readOnly->setObjectName(QStringLiteral("ReadOnlyCheck"));
    if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout())) {
        grid->addWidget(readOnly, grid->rowCount(), 0, 1, -1);
    }
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    const QString fileName = ChosenFile(dialog);
    OpenFile(fileName);
    RaroviRovoz->SetCommandMode(readOnly->isChecked() ? cmViewOnly : cmEdit);
}

void TMDIChild::FileSave() {
    QString fileName = fSaveFileName;
    if (fileName == kUntitled) {
        fileName = RunSaveDialog();
        if (fileName.isEmpty()) {
            return;
        }
    }
    SaveGraphAs(fileName);
}

void TMDIChild::FileSaveAs() {
    const QString fileName = RunSaveDialog();
    if (!fileName.isEmpty()) {
        SaveGraphAs(fileName);
    }
}

void TMDIChild::FileSaveExecute() {
    FileSave();
}

void TMDIChild::FileSaveAsExecute() {
    FileSaveAs();
}

QString TMDIChild::RunSaveDialog() {
    QFileDialog dialog(this, QStringLiteral("Save Graph As"));
    dialog.setObjectName(QStringLiteral("SaveDialog"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(fSaveFilters.isEmpty() ? GraphFileFilters() : fSaveFilters);
    dialog.setDefaultSuffix(GraphFileExt);
    dialog.selectFile(fSaveFileName);
    return dialog.exec() == QDialog::Accepted ? ChosenFile(dialog) : QString();
}

void TMDIChild::SaveGraphAs(const QString& fileName) {
    RaroviRovoz->SaveToFile(fileName);
    RaroviRovoz->History().SetClean();
    fSaveFileName = fileName;
    SetCaptionFromSaveName();
    AddRecentFile(fileName);
}

void TMDIChild::SetCaptionFromSaveName() {
    setWindowTitle(fSaveFileName + QStringLiteral(" - ") + ApplicationTitle());
}

void TMDIChild::FileExportExecute() {
    QFileDialog dialog(this, QStringLiteral("Export As Metafile"));
    dialog.setObjectName(QStringLiteral("SavePictureDialog"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    QStringList filters;
    for (const TExportFormat& format : kExportFormats) {
        filters.append(QLatin1String(format.Filter));
    }
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(QStringLiteral("emf"));
    const QFileInfo saveName(fSaveFileName);
    dialog.selectFile(
        saveName.dir().filePath(saveName.completeBaseName() + QStringLiteral(".emf")));
    // The default extension follows the chosen format.
    connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& filter) {
        dialog.setDefaultSuffix(QLatin1String(ExportFormatFor(QString(), filter).Extension));
    });
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    const QString fileName = ChosenFile(dialog);
    ExportFormatFor(fileName, dialog.selectedNameFilter()).Write(*RaroviRovoz, fileName);
}

void TMDIChild::CopyWMFToClipboardExecute() {
    TRaroviRovoz::CopyMetafileToClipboard(RaroviRovoz->GetMetafile());
}

} // namespace zov
