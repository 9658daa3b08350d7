#include "settings/widgets/Setup2.h"

#include "support/SettingsFolders.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace zov {
namespace {

template <typename T> T& Child(TSetup2& dialog, const char* name) {
    T* child = dialog.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(child, nullptr) << name;
    return *child;
}

void Type(TSetup2& dialog, const QString& language, const QString& kenn, const QString& name) {
    Child<QComboBox>(dialog, "cmbLANGUAGE").setCurrentText(language);
    Child<QLineEdit>(dialog, "edUSER_KENN").setText(kenn);
    Child<QLineEdit>(dialog, "edUSER_NAME").setText(name);
}

class Setup2Test : public test::SettingsFolders {
protected:
    void SetUp() override {
        SettingsFolders::SetUp();
        SettingsStore = std::make_unique<TSetup>(Folders());
        PRG.LANGUAGE = QStringLiteral("EN");
        PRG.USER_KENN = QStringLiteral("MM");
        PRG.USER_NAME = QStringLiteral("Max Muster");
        PRG.bTAG = true;
    }

    // Runs Execute while act works on the open dialog; act must close it.
    static bool ExecuteWith(const std::function<void(TSetup2&)>& act) {
        QTimer::singleShot(0, [&act] {
            auto* dialog = qobject_cast<TSetup2*>(QApplication::activeModalWidget());
            if (dialog == nullptr) {
                ADD_FAILURE() << "no modal setup dialog";
                QApplication::exit();
                return;
            }
            act(*dialog);
        });
        return TSetup2::Execute();
    }

    QString Stored(const QString& name) const {
        return SettingsStore->ReadReg(name, QStringLiteral("<none>"));
    }
};

TEST_F(Setup2Test, IsFilledFromPRG) {
    QString language, kenn, name;
    ExecuteWith([&](TSetup2& dialog) {
        language = Child<QComboBox>(dialog, "cmbLANGUAGE").currentText();
        kenn = Child<QLineEdit>(dialog, "edUSER_KENN").text();
        name = Child<QLineEdit>(dialog, "edUSER_NAME").text();
        dialog.reject();
    });
    EXPECT_EQ(language, QStringLiteral("EN"));
    EXPECT_EQ(kenn, QStringLiteral("MM"));
    EXPECT_EQ(name, QStringLiteral("Max Muster"));
}

struct OkCase {
    const char* name;
    QString typedLanguage;
    QString language;
};

class Setup2OkTest : public Setup2Test, public ::testing::WithParamInterface<OkCase> {};

TEST_P(Setup2OkTest, CopiesTheTextsAndSavesTheSettings) {
    const bool result = ExecuteWith([](TSetup2& dialog) {
        Type(dialog, GetParam().typedLanguage, QStringLiteral("EM"), QStringLiteral("Eva \"Eve\""));
        QTest::mouseClick(&Child<QPushButton>(dialog, "btnOK"), Qt::LeftButton);
    });
    EXPECT_TRUE(result);
    EXPECT_EQ(PRG.LANGUAGE, GetParam().language);
    EXPECT_EQ(PRG.USER_KENN, QStringLiteral("EM"));
    EXPECT_EQ(PRG.USER_NAME, QStringLiteral("Eva \"Eve\""));
    EXPECT_EQ(Stored(QStringLiteral("LANGUAGE")), GetParam().language);
    EXPECT_EQ(Stored(QStringLiteral("USER_KENN")), QStringLiteral("EM"));
    EXPECT_EQ(Stored(QStringLiteral("USER_NAME")), QStringLiteral("Eva \"Eve\""));
    EXPECT_EQ(Stored(QStringLiteral("SHOW_TAG")), QStringLiteral("1"));
    EXPECT_EQ(MirrorValue(QStringLiteral("LANGUAGE")).toString(),
              QLatin1Char('"') + GetParam().language + QLatin1Char('"'));
    EXPECT_EQ(MirrorValue(QStringLiteral("USER_NAME")).toString(),
              QStringLiteral("\"Eva \"Eve\"\""));
}

INSTANTIATE_TEST_SUITE_P(
    Languages, Setup2OkTest,
    ::testing::Values(OkCase{"Listed", QStringLiteral("DE"), QStringLiteral("DE")},
                      OkCase{"Typed", QStringLiteral("FR"), QStringLiteral("FR")},
                      OkCase{"EmptyBecomesDE", QString(), QStringLiteral("DE")}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Setup2Test, ReturnIsOK) {
    EXPECT_TRUE(ExecuteWith([](TSetup2& dialog) {
        Type(dialog, QStringLiteral("DE"), QStringLiteral("X"), QStringLiteral("Y"));
        QTest::keyClick(&Child<QLineEdit>(dialog, "edUSER_NAME"), Qt::Key_Return);
    }));
    EXPECT_EQ(PRG.USER_NAME, QStringLiteral("Y"));
}

using CloseAction = void (*)(TSetup2&);

class Setup2CancelTest : public Setup2Test, public ::testing::WithParamInterface<CloseAction> {};

TEST_P(Setup2CancelTest, ChangesNothing) {
    const TPRG before = PRG;
    const bool result = ExecuteWith([](TSetup2& dialog) {
        Type(dialog, QStringLiteral("DE"), QStringLiteral("X"), QStringLiteral("Y"));
        GetParam()(dialog);
    });
    EXPECT_FALSE(result);
    EXPECT_EQ(PRG.LANGUAGE, before.LANGUAGE);
    EXPECT_EQ(PRG.USER_KENN, before.USER_KENN);
    EXPECT_EQ(PRG.USER_NAME, before.USER_NAME);
    EXPECT_EQ(Stored(QStringLiteral("LANGUAGE")), QStringLiteral("<none>"));
    EXPECT_EQ(Stored(QStringLiteral("USER_NAME")), QStringLiteral("<none>"));
    EXPECT_FALSE(MirrorValue(QStringLiteral("LANGUAGE")).isValid());
}

INSTANTIATE_TEST_SUITE_P(Ways, Setup2CancelTest,
                         ::testing::Values(
                             [](TSetup2& dialog) {
                                 QTest::mouseClick(&Child<QPushButton>(dialog, "btnCancel"),
                                                   Qt::LeftButton);
                             },
                             [](TSetup2& dialog) {
                                 QTest::keyClick(&Child<QLineEdit>(dialog, "edUSER_NAME"),
                                                 Qt::Key_Escape);
                             },
                             [](TSetup2& dialog) { dialog.close(); }));

TEST_F(Setup2Test, FormAsDesigned) {
    TSetup2 dialog;
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Setup"));
    EXPECT_EQ(dialog.size(), QSize(362, 179));
    EXPECT_EQ(Child<QGroupBox>(dialog, "grpSetup").title(), QStringLiteral("Setup"));

    QComboBox& language = Child<QComboBox>(dialog, "cmbLANGUAGE");
    EXPECT_TRUE(language.isEditable());
    ASSERT_EQ(language.count(), 2);
    EXPECT_EQ(language.itemText(0), QStringLiteral("DE"));
    EXPECT_EQ(language.itemText(1), QStringLiteral("EN"));
    EXPECT_TRUE(Child<QPushButton>(dialog, "btnOK").isDefault());
    EXPECT_EQ(Child<QPushButton>(dialog, "btnOK").text(), QStringLiteral("OK"));
    EXPECT_EQ(Child<QPushButton>(dialog, "btnCancel").text(), QStringLiteral("Cancel"));

    QStringList labels;
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        labels.append(label->text());
    }
    labels.sort();
    EXPECT_EQ(labels, (QStringList{QStringLiteral("Language"), QStringLiteral("User Kenn"),
                                   QStringLiteral("User Name")}));

    const struct {
        const char* name;
        QRect where;
    } places[] = {
        {"grpSetup", QRect(8, 8, 346, 122)},      {"cmbLANGUAGE", QRect(182, 20, 145, 21)},
        {"edUSER_KENN", QRect(182, 47, 145, 21)}, {"edUSER_NAME", QRect(75, 74, 252, 21)},
        {"btnOK", QRect(199, 136, 75, 25)},       {"btnCancel", QRect(280, 136, 75, 25)}};
    for (const auto& place : places) {
        EXPECT_EQ(Child<QWidget>(dialog, place.name).geometry(), place.where) << place.name;
    }
}

} // namespace
} // namespace zov
