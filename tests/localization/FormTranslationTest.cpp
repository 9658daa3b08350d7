#include "localization/DlgTexte.h"
#include "localization/widgets/FormDLG.h"
#include "localization/widgets/FormTranslator.h"
#include "localization/widgets/RadioGroup.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace zov {
namespace {

// A catalogue over a temporary folder, optionally with a language file.
class FormTranslationTest : public ::testing::Test {
protected:
    void StartCatalogue(const QByteArray& languageFile = QByteArray()) {
        if (!languageFile.isEmpty()) {
            QFile file(fFolder.filePath(QStringLiteral("ZOV.EN")));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(languageFile);
        }
        fCatalogue.SetFolders({fFolder.path() + QLatin1Char('/'), QString()});
        fCatalogue.SetLanguage(QStringLiteral("EN"));
    }
    // Every entry as "key=text", in the catalogue's order.
    QStringList Entries() const {
        QStringList entries;
        for (qsizetype i = 0; i < fCatalogue.Entries()->Count(); ++i) {
            const TDlgText& entry = fCatalogue.Entries()->Items(i);
            entries.append(entry.Key + QLatin1Char('=') + entry.Text);
        }
        return entries;
    }

    QTemporaryDir fFolder;
    TDlgTexte fCatalogue;
};

TRadioGroup* RadioGroup(QWidget* parent, const char* name, const char* caption,
                        const QStringList& items) {
    auto* group = new TRadioGroup(parent);
    group->setObjectName(QString::fromLatin1(name));
    group->setTitle(QString::fromLatin1(caption));
    group->SetItems(items);
    return group;
}

// The align dialog's widgets under their object names, in creation order.
class TestAlignDialog : public TFormDLG {
public:
    explicit TestAlignDialog(TDlgTexte& catalogue) : TFormDLG(catalogue, nullptr) {
        setObjectName(QStringLiteral("AlignDialog"));
        setWindowTitle(QStringLiteral("Alignment"));
        Horz = RadioGroup(this, "Horz", " Horizontal ",
                          {"No change", "Left sides", "Centers", "Right sides", "Space equally"});
        Vert = RadioGroup(this, "Vert", " Vertical ",
                          {"No change", "Tops", "Centers", "Bottoms", "Space equally"});
        OK = new QPushButton(QStringLiteral("OK"), this);
        OK->setObjectName(QStringLiteral("btnOK"));
        Cancel = new QPushButton(QStringLiteral("Cancel"), this);
        Cancel->setObjectName(QStringLiteral("btnCancel"));
        TransAll();
    }

    TRadioGroup* Horz;
    TRadioGroup* Vert;
    QPushButton* OK;
    QPushButton* Cancel;
};

TEST_F(FormTranslationTest, TheAlignDialogAsksItsKeysInWalkOrder) {
    StartCatalogue();
    { TestAlignDialog dialog(fCatalogue); }
    const QStringList expected = {
        "AlignDialog_M=Alignment",
        "AlignDialog_Horz_C= Horizontal ",
        "AlignDialog_Horz0_E=No change",
        "AlignDialog_Horz1_E=Left sides",
        "AlignDialog_Horz2_E=Centers",
        "AlignDialog_Horz3_E=Right sides",
        "AlignDialog_Horz4_E=Space equally",
        "AlignDialog_Vert_C= Vertical ",
        "AlignDialog_Vert0_E=No change",
        "AlignDialog_Vert1_E=Tops",
        "AlignDialog_Vert2_E=Centers",
        "AlignDialog_Vert3_E=Bottoms",
        "AlignDialog_Vert4_E=Space equally",
        "AlignDialog_btnOK_C=OK",
        "AlignDialog_btnOK_H=",
        "AlignDialog_btnCancel_C=Cancel",
        "AlignDialog_btnCancel_H=",
    };
    EXPECT_EQ(Entries(), expected);

    // A second dialog finds every key known and adds none.
    { TestAlignDialog again(fCatalogue); }
    EXPECT_EQ(Entries(), expected);
}

TEST_F(FormTranslationTest, TheCatalogueTextsReplaceTheDesignTexts) {
    StartCatalogue("[TRANS]\r\n"
                   "AlignDialog_M=Ausrichten\r\n"
                   "AlignDialog_Horz_C= Waagerecht \r\n"
                   "AlignDialog_Horz1_E=Linke Kanten\r\n"
                   "AlignDialog_btnCancel_C=Abbrechen\r\n"
                   "AlignDialog_btnCancel_H=Schlie\xDF\x65n|Schlie\xDF\x65n ohne \xC4nderung\r\n");
    TestAlignDialog dialog(fCatalogue);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Ausrichten"));
    EXPECT_EQ(dialog.Horz->title(), QStringLiteral("Waagerecht"));
    EXPECT_EQ(dialog.Horz->Item(1), QStringLiteral("Linke Kanten"));
    EXPECT_EQ(dialog.Horz->Item(2), QStringLiteral("Centers"));
    EXPECT_EQ(dialog.Cancel->text(), QStringLiteral("Abbrechen"));
    EXPECT_EQ(dialog.Cancel->toolTip(), QStringLiteral("Schlie\u00dfen"));
    EXPECT_EQ(dialog.Cancel->statusTip(), QStringLiteral("Schlie\u00dfen ohne \u00c4nderung"));
}

// A dialog of every kind of widget the walk tells apart.
class TestKindsDialog : public TFormDLG {
public:
    explicit TestKindsDialog(TDlgTexte& catalogue) : TFormDLG(catalogue, nullptr) {
        setObjectName(QStringLiteral("Kinds"));
        setWindowTitle(QStringLiteral("Kinds"));
        auto* label = new QLabel(QStringLiteral("Label:"), this);
        label->setObjectName(QStringLiteral("Label1"));
        label->setToolTip(QStringLiteral("labels get no hint"));
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QStringLiteral("Edit1"));
        edit->setToolTip(QStringLiteral("Name|The name of the graph"));
        auto* spin = new QSpinBox(this);
        spin->setObjectName(QStringLiteral("Spin1"));
        auto* combo = new QComboBox(this);
        combo->setObjectName(QStringLiteral("Combo1"));
        combo->setEditable(true);
        RadioGroup(this, "Group3", "Three", {"a", "b", "c"});
        auto* shape = new QWidget(this);
        shape->setObjectName(QStringLiteral("Shape1"));
        auto* unnamed = new QPushButton(QStringLiteral("no name"), this);
        unnamed->setToolTip(QStringLiteral("unnamed"));
        auto* box = new QGroupBox(QStringLiteral("Box"), this);
        box->setObjectName(QStringLiteral("Box1"));
        auto* inner = new QPushButton(QStringLiteral("Inner"), box);
        inner->setObjectName(QStringLiteral("Inner1"));
        auto* tabs = new QTabWidget(this);
        tabs->setObjectName(QStringLiteral("Tabs"));
        auto* page = new QFrame;
        page->setObjectName(QStringLiteral("Page1"));
        tabs->addTab(page, QStringLiteral("Page"));
        auto* onPage = new QPushButton(QStringLiteral("On page"), page);
        onPage->setObjectName(QStringLiteral("OnPage"));
        TransAll();
    }
};

TEST_F(FormTranslationTest, EachKindOfWidgetAsksItsOwnKeys) {
    StartCatalogue();
    TestKindsDialog dialog(fCatalogue);
    EXPECT_EQ(Entries(), QStringList({
                             "Kinds_M=Kinds",
                             "Kinds_Label1_C=Label:",
                             "Kinds_Edit1_H=Name\nThe name of the graph",
                             "Kinds_Spin1_H=",
                             "Kinds_Combo1_H=",
                             "Kinds_Group3_C=Three",
                             "Kinds_Group30_E=a",
                             "Kinds_Group31_E=b",
                             "Kinds_Group32_E=c",
                             "Kinds_Box1_C=Box",
                             "Kinds_Box1_H=",
                             "Kinds_Inner1_C=Inner",
                             "Kinds_Inner1_H=",
                             "Kinds_Tabs_H=",
                             "Kinds_Page1_H=",
                             "Kinds_OnPage_C=On page",
                             "Kinds_OnPage_H=",
                         }));
    // The line feed of a new hint splits it like "|".
    const auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("Edit1"));
    EXPECT_EQ(edit->toolTip(), QStringLiteral("Name"));
    EXPECT_EQ(edit->statusTip(), QStringLiteral("The name of the graph"));
}

class UnnamedDialog : public TFormDLG {
public:
    explicit UnnamedDialog(TDlgTexte& catalogue) : TFormDLG(catalogue, nullptr) {
        auto* button = new QPushButton(QStringLiteral("OK"), this);
        button->setObjectName(QStringLiteral("btnOK"));
        TransAll();
    }
    int Failures = 0;

protected:
    void ReportCaptionFailure() override { ++Failures; }
};

TEST_F(FormTranslationTest, ADialogWithoutANameReportsAndAsksNothing) {
    StartCatalogue();
    UnnamedDialog dialog(fCatalogue);
    EXPECT_EQ(dialog.Failures, 1);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("FormDLG"));
    EXPECT_EQ(Entries(), QStringList());
}

TEST_F(FormTranslationTest, ActionsMenusAndOwnControlsOfAWindow) {
    StartCatalogue();
    QWidget window;
    auto* fileNew = new QAction(QStringLiteral("&New"), &window);
    fileNew->setObjectName(QStringLiteral("FileNew1"));
    fileNew->setToolTip(QStringLiteral("New"));
    fileNew->setStatusTip(QStringLiteral("Creates a new graph"));
    auto* fileExit = new QAction(QStringLiteral("E&xit"), &window);
    fileExit->setObjectName(QStringLiteral("FileExit1"));
    auto* unnamed = new QAction(QStringLiteral("unnamed"), &window);

    QMenuBar bar(&window);
    QMenu* file = bar.addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("File1"));
    file->addAction(fileNew);
    bar.addAction(fileExit);
    bar.addMenu(QStringLiteral("unnamed menu"));

    auto* panel = new QFrame(&window);
    panel->setObjectName(QStringLiteral("Panel1"));
    auto* onPanel = new QPushButton(QStringLiteral("deeper"), panel);
    onPanel->setObjectName(QStringLiteral("OnPanel"));
    auto* label = new QLabel(QStringLiteral("not a windowed control"), &window);
    label->setObjectName(QStringLiteral("Label1"));

    TFormTranslator translator(fCatalogue, QStringLiteral("MainForm"));
    translator.TranslateActions({fileNew, fileExit, unnamed});
    translator.TranslateMenus(bar);
    translator.TranslateOwnControls(window);
    EXPECT_EQ(Entries(), QStringList({
                             "MainForm_FileNew1_C=&New",
                             "MainForm_FileNew1_H=New\nCreates a new graph",
                             "MainForm_FileExit1_C=E&xit",
                             "MainForm_FileExit1_H=",
                             "MainForm_File1_M=&File",
                             "MainForm_Panel1_H=",
                         }));
    EXPECT_EQ(fileNew->toolTip(), QStringLiteral("New"));
    EXPECT_EQ(fileNew->statusTip(), QStringLiteral("Creates a new graph"));
}

TEST_F(FormTranslationTest, ExplicitListsSetCaptionsAndHints) {
    StartCatalogue("[TRANS]\r\nSC_LinkProperties_Style=Linienart\r\n"
                   "SH_LinkProperties_Style=Art|Die Art der Linie\r\n");
    QDialog dialog;
    auto* style = new QGroupBox(QStringLiteral("design"), &dialog);
    style->setObjectName(QStringLiteral("Style"));
    auto* label = new QLabel(&dialog);
    label->setObjectName(QStringLiteral("LinkLabel"));
    TFormTranslator(fCatalogue, QStringLiteral("LinkProperties"))
        .TranslateExplicit(dialog, kLinkPropertiesKeys);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Link Propertys"));
    EXPECT_EQ(style->title(), QStringLiteral("Linienart"));
    EXPECT_EQ(style->toolTip(), QStringLiteral("Art"));
    EXPECT_EQ(style->statusTip(), QStringLiteral("Die Art der Linie"));
}

} // namespace
} // namespace zov
