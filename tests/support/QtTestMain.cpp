// Test entry point: GoogleTest with one Qt application object (ZOV_TEST_APPLICATION:
// QGuiApplication, or QApplication for widget tests), created only when tests run
// (never while tests are merely listed) and on the offscreen platform by default.
#include ZOV_TEST_APPLICATION_HEADER
#include <gtest/gtest.h>
#include <memory>

namespace {

class QtEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "zov-tests";
        static char* argv[] = {name, nullptr};
        fApp = std::make_unique<ZOV_TEST_APPLICATION>(argc, argv);
    }
    void TearDown() override { fApp.reset(); }

private:
    std::unique_ptr<ZOV_TEST_APPLICATION> fApp;
};

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::AddGlobalTestEnvironment(new QtEnvironment);
    return RUN_ALL_TESTS();
}
