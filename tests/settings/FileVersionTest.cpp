#include "settings/FileVersion.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QTemporaryFile>
#include <gtest/gtest.h>

namespace zov {
namespace {

struct VersionCase {
    const char* value;
    const char* pattern;
};

class ProgramVersionTest : public ::testing::TestWithParam<VersionCase> {};

TEST_P(ProgramVersionTest, ComesFromTheBuild) {
    const QString text = GetFileVersionString(QCoreApplication::applicationFilePath(),
                                              QString::fromLatin1(GetParam().value));
    EXPECT_TRUE(QRegularExpression(QString::fromLatin1(GetParam().pattern)).match(text).hasMatch())
        << qPrintable(text);
}

INSTANTIATE_TEST_SUITE_P(Values, ProgramVersionTest,
                         ::testing::Values(VersionCase{"FileVersion", "^\\d+\\.\\d+"},
                                           VersionCase{"ProductVersion", "^\\d+\\.\\d+"},
                                           VersionCase{"ProductName", "^ZOV$"},
                                           VersionCase{"FileDateMS", "^\\d{4}-\\d\\d-\\d\\d$"},
                                           VersionCase{"Unknown", "^$"}, VersionCase{"", "^$"}));

TEST(FileVersionTest, OtherFilesHaveNone) {
    QTemporaryFile other;
    ASSERT_TRUE(other.open());
    EXPECT_TRUE(GetFileVersionString(other.fileName(), QStringLiteral("FileVersion")).isEmpty());
    EXPECT_TRUE(GetFileVersionString(QString(), QStringLiteral("FileVersion")).isEmpty());
    EXPECT_TRUE(GetFileVersionString(QStringLiteral("/no/such/file"), QStringLiteral("FileVersion"))
                    .isEmpty());
}

} // namespace
} // namespace zov
