#include "localization/ExplicitKeyLists.h"

#include "localization/DlgTexte.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace zov {
namespace {

TEST(ExplicitKeyListsTest, AsksCaptionBeforeHintInListOrder) {
    QTemporaryDir folder;
    TDlgTexte catalogue;
    catalogue.SetFolders({folder.path() + QLatin1Char('/'), QString()});
    catalogue.SetLanguage(QStringLiteral("EN"));

    QStringList asked;
    AskExplicitKeys(catalogue, QStringLiteral("LinkProperties"),
                    std::span(kLinkPropertiesKeys).first(4),
                    [&](const TExplicitKey& row, TExplicitPart part, const QString& text) {
                        asked.append(ExplicitKey(part, QStringLiteral("LinkProperties"),
                                                 QString::fromLatin1(row.Component)) +
                                     QLatin1Char('=') + text);
                    });
    EXPECT_EQ(asked,
              QStringList({"SC_LinkProperties_FormCaption=Link Propertys",
                           "SH_LinkProperties_LinkLabel=", "SC_LinkProperties_Style= Line Style ",
                           "SH_LinkProperties_Style=", "SC_LinkProperties_StyleSolid=Solid",
                           "SH_LinkProperties_StyleSolid="}));
    EXPECT_EQ(catalogue.Entries()->Count(), asked.size());
}

} // namespace
} // namespace zov
