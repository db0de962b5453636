// The companion's client of the desktop's screenshot portal, against a fake
// portal (fake_portal.py) on a private session bus: every answer a portal can
// give, and none. A case that gets no picture must end in bounded time and
// leave nothing to freeze.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "linux/portal_picture.h"
#include "linux/screen_portal.h"
#include "support/named_rows.h"
#include "support/picture_bytes.h"

extern char** environ;

namespace {

using namespace std::chrono_literals;

bool exists(const std::string& path) {
    struct stat status;
    return stat(path.c_str(), &status) == 0;
}

// fake_portal.py in a private bus of its own; the test process's session
// bus is that one while it lives. Ends when its input is closed.
class FakePortal {
public:
    explicit FakePortal(const std::vector<std::string>& arguments) {
        std::vector<std::string> words = {"dbus-run-session", "--config-file",
                                          GRABNIK_PORTAL_TESTS "/bus.conf", "--",
                                          GRABNIK_PORTAL_TESTS "/fake_portal.py"};
        words.insert(words.end(), arguments.begin(), arguments.end());
        std::vector<char*> argv;
        for (std::string& word : words) argv.push_back(word.data());
        argv.push_back(nullptr);
        int input[2], output[2];
        if (pipe2(input, O_CLOEXEC) != 0 || pipe2(output, O_CLOEXEC) != 0) return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, input[0], STDIN_FILENO);
        posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        if (posix_spawnp(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
        posix_spawn_file_actions_destroy(&actions);
        close(input[0]);
        close(output[1]);
        input_ = input[1];
        // Its first line, the bus's address, once the portal's name is
        // taken: bounded, so that a fake that fails cannot hang the test.
        std::string address;
        pollfd readable = {output[0], POLLIN, 0};
        char c;
        while (poll(&readable, 1, 10000) == 1 && read(output[0], &c, 1) == 1 && c != '\n')
            address += c;
        close(output[0]);
        if (!address.empty()) setenv("DBUS_SESSION_BUS_ADDRESS", address.c_str(), 1);
        started_ = !address.empty();
    }
    ~FakePortal() {
        if (input_ >= 0) close(input_);
        if (pid_ > 0) waitpid(pid_, nullptr, 0);
    }
    FakePortal(const FakePortal&) = delete;
    FakePortal& operator=(const FakePortal&) = delete;

    bool started() const { return started_; }

private:
    pid_t pid_ = -1;
    int input_ = -1;
    bool started_ = false;
};

// The companion's loop around the portal alone, for at most five seconds.
PortalOutcome awaitOutcome(ScreenPortal& portal, std::string& file) {
    const auto end = std::chrono::steady_clock::now() + 5s;
    while (portalMsUntilDue(portal) >= 0 && std::chrono::steady_clock::now() < end) {
        pollfd bus = {portalPollFd(portal), POLLIN, 0};
        const int ready = poll(&bus, 1, std::min(portalMsUntilDue(portal), 100));
        const PortalOutcome outcome = ready == 0  ? onPortalDue(portal)
                                      : ready > 0 ? onPortalInput(portal, file)
                                                  : PortalOutcome::Waiting;
        if (outcome != PortalOutcome::Waiting) return outcome;
    }
    return PortalOutcome::Waiting;
}

class PortalClient : public testing::Test {
protected:
    void SetUp() override {
        char folder[] = "/tmp/grabnik-portal-test.XXXXXX";
        ASSERT_NE(mkdtemp(folder), nullptr);
        scratch = folder;
        // An empty prefix: only the folder the picture goes to.
        prefix = scratch + "/prefix";
        ASSERT_EQ(std::system(("mkdir -p '" + prefix + "/drive_c/windows/temp'").c_str()), 0);
        setenv("WINEPREFIX", prefix.c_str(), 1);
        handed = prefix + "/drive_c/" + HandedPictureInDriveC;
    }
    void TearDown() override { std::system(("rm -rf '" + scratch + "'").c_str()); }

    // Asks the fake, which answers as told, and hands a picture on as the
    // companion does. What was said on stderr is kept in `said`.
    PortalOutcome grab(const std::vector<std::string>& fakeArguments,
                       std::chrono::seconds timeout) {
        FakePortal fake(fakeArguments);
        EXPECT_TRUE(fake.started());
        ScreenPortal portal;
        testing::internal::CaptureStderr();
        EXPECT_TRUE(startPortalGrab(portal, timeout));
        const PortalOutcome outcome = awaitOutcome(portal, file);
        if (outcome == PortalOutcome::Picture)
            handedOver = movePictureIntoPrefix(file, windowsPath);
        said = testing::internal::GetCapturedStderr();
        return outcome;
    }

    std::string scratch, prefix, handed, file, windowsPath, said;
    bool handedOver = false;
};

// What is no PNG that the companion reads goes as it came, for Grabnik's
// codecs to take or refuse.
TEST_F(PortalClient, AnUnreadablePictureIsMovedIntoThePrefixAsItCame) {
    const std::string portalFile = scratch + "/Screen shot.png";
    std::ofstream(portalFile, std::ios::binary) << "\x89PNG\r\n\x1a\npixels";
    ASSERT_EQ(grab({"picture", "file://" + scratch + "/Screen%20shot.png"}, 30s),
              PortalOutcome::Picture);
    EXPECT_EQ(file, portalFile);
    EXPECT_TRUE(handedOver);
    EXPECT_EQ(windowsPath, "C:\\windows\\temp\\grabnik-portal.png");
    EXPECT_EQ(fileBytes(handed), "\x89PNG\r\n\x1a\npixels");
    EXPECT_FALSE(exists(portalFile));
    EXPECT_EQ(said, "");
}

TEST_F(PortalClient, AReadablePngIsHandedOverAsABmpOfExactlyItsPixels) {
    Picture screen{3, 2, {0x102030, 0x405060, 0x708090, 0xA0B0C0, 0xD0E0F0, 0x0F1E2D}};
    const std::string portalFile = scratch + "/screen.png";
    std::ofstream(portalFile, std::ios::binary) << encodePng(screen);
    ASSERT_EQ(grab({"picture", "file://" + portalFile}, 30s), PortalOutcome::Picture);
    EXPECT_TRUE(handedOver);
    EXPECT_EQ(windowsPath, "C:\\windows\\temp\\grabnik-portal.bmp");
    const Picture handedBmp = decodeBmp(fileBytes(prefix + "/drive_c/" + HandedBitmapInDriveC));
    EXPECT_EQ(handedBmp.width, 3);
    EXPECT_EQ(handedBmp.height, 2);
    EXPECT_EQ(handedBmp.pixels, screen.pixels);
    EXPECT_FALSE(exists(portalFile));
    EXPECT_FALSE(exists(handed)) << "no PNG beside it";
}

TEST_F(PortalClient, AMissingFileFreezesNothingAndSaysSo) {
    ASSERT_EQ(grab({"picture", "file://" + scratch + "/gone.png"}, 30s), PortalOutcome::Picture);
    EXPECT_FALSE(handedOver);
    EXPECT_FALSE(exists(handed));
    EXPECT_NE(said.find("gone.png cannot be read"), std::string::npos) << said;
}

TEST_F(PortalClient, AnAnswerWithoutAFileFreezesNothing) {
    EXPECT_EQ(grab({"picture", "https://example.invalid/a.png"}, 30s), PortalOutcome::Nothing);
    EXPECT_NE(said.find("named no file"), std::string::npos) << said;
}

struct RefusalRow : NamedRow {
    const char* code;
    const char* said;
};

class PortalRefusal : public PortalClient, public testing::WithParamInterface<RefusalRow> {};

TEST_P(PortalRefusal, FreezesNothingAndSaysSo) {
    EXPECT_EQ(grab({"refuse", GetParam().code}, 30s), PortalOutcome::Nothing);
    EXPECT_NE(said.find(GetParam().said), std::string::npos) << said;
    EXPECT_FALSE(exists(handed));
}

INSTANTIATE_TEST_SUITE_P(
    Responses, PortalRefusal,
    testing::Values(RefusalRow{"Cancelled", "1", "cancelled the screenshot (response 1)"},
                    RefusalRow{"Refused", "2", "refused the screenshot (response 2)"}),
    NamedAfterRow());

TEST_F(PortalClient, NoPortalOnTheBusFreezesNothing) {
    EXPECT_EQ(grab({"absent"}, 30s), PortalOutcome::Nothing);
    EXPECT_NE(said.find("no screenshot portal answers"), std::string::npos) << said;
}

TEST_F(PortalClient, ASilentPortalIsGivenUpAfterTheTimeoutAndPressesMeanwhileAreDropped) {
    FakePortal fake({"silent"});
    ASSERT_TRUE(fake.started());
    ScreenPortal portal;
    testing::internal::CaptureStderr();
    const auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(startPortalGrab(portal, 3s));
    const bool secondPress = startPortalGrab(portal, 3s);
    const PortalOutcome outcome = awaitOutcome(portal, file);
    const auto waited = std::chrono::steady_clock::now() - start;
    const bool afterwards = startPortalGrab(portal, 3s);
    said = testing::internal::GetCapturedStderr();

    EXPECT_FALSE(secondPress);
    EXPECT_EQ(outcome, PortalOutcome::Nothing);
    EXPECT_GE(waited, 3s);
    EXPECT_LT(waited, 4s);
    EXPECT_TRUE(afterwards) << "a grab given up must not block the next";
    EXPECT_NE(said.find("this press is dropped"), std::string::npos) << said;
    // First what to allow while it waits, then that it gave up.
    const size_t hint = said.find("still waiting for the screenshot");
    EXPECT_NE(hint, std::string::npos) << said;
    EXPECT_NE(said.find("did not answer in time", hint), std::string::npos) << said;
}

}  // namespace
