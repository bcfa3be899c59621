// The saver's preview in a window of another program, as a screensaver
// manager on an X display asks for it: `saver /p <window id>` draws inside
// that window, at its size, and ends when the window goes. Runs on an X
// display only (on_xvfb.sh), with the saver named by SAVER_BINARY; skipped
// elsewhere.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <thread>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

constexpr unsigned long kBackground = 0xFF00FF;
constexpr int kWidth = 200, kHeight = 150;

bool WaitFor(const std::function<bool()>& condition, std::chrono::seconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return true;
}

// The saver as a process of its own.
class SaverProcess {
public:
    explicit SaverProcess(const std::string& windowArgument) {
        pid_ = fork();
        if (pid_ == 0) {
            const char* saver = std::getenv("SAVER_BINARY");
            execl(saver, saver, "/p", windowArgument.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
    }
    ~SaverProcess() {
        if (pid_ > 0 && !status_) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
    }
    // The exit status once the process has ended by itself.
    std::optional<int> Ended(std::chrono::seconds limit) {
        WaitFor([this] {
            int status = 0;
            if (waitpid(pid_, &status, WNOHANG) == pid_) status_ = status;
            return status_.has_value();
        }, limit);
        return status_;
    }

private:
    pid_t pid_ = -1;
    std::optional<int> status_;
};

class ForeignPreviewTest : public testing::Test {
protected:
    void SetUp() override {
        const char* driver = std::getenv("SDL_VIDEODRIVER");
        if (!driver || std::string(driver) != "x11" || !std::getenv("SAVER_BINARY") || !display_)
            GTEST_SKIP() << "no X display or no saver";
        window_ = XCreateSimpleWindow(display_, DefaultRootWindow(display_), 10, 10, kWidth, kHeight, 0, 0,
                                      kBackground);
        XMapWindow(display_, window_);
        XSync(display_, False);
        std::string pattern = (std::filesystem::temp_directory_path() / "saver-preview-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        captures_ = pattern;
        setenv("SAVER_CAPTURE_DIR", captures_.c_str(), 1);  // for the saver's process
    }
    void TearDown() override {
        if (display_) XCloseDisplay(display_);
        if (!captures_.empty()) std::filesystem::remove_all(captures_);
    }

    // Width and height of the first frame the preview's device presented.
    std::optional<std::array<uint32_t, 2>> PresentedSize() const {
        std::ifstream png(captures_ / "unit0-frame00000.png", std::ios::binary);
        unsigned char header[24] = {};
        if (!png.read(reinterpret_cast<char*>(header), sizeof header)) return std::nullopt;
        const auto big = [&](int at) {
            return uint32_t{header[at]} << 24 | uint32_t{header[at + 1]} << 16 | uint32_t{header[at + 2]} << 8 |
                   header[at + 3];
        };
        return std::array<uint32_t, 2>{big(16), big(20)};  // IHDR
    }

    // How many sampled pixels show something other than the window's own background.
    int DrawnSamples() const {
        XImage* image = XGetImage(display_, window_, 0, 0, kWidth, kHeight, AllPlanes, ZPixmap);
        if (!image) return 0;
        int drawn = 0;
        for (int y = 5; y < kHeight; y += 10)
            for (int x = 5; x < kWidth; x += 10) drawn += (XGetPixel(image, x, y) & 0xFFFFFF) != kBackground;
        XDestroyImage(image);
        return drawn;
    }
    Display* display_ = XOpenDisplay(nullptr);
    ::Window window_ = 0;
    std::filesystem::path captures_;
};

TEST_F(ForeignPreviewTest, DrawsInsideTheWindowAndEndsWhenItGoes) {
    SaverProcess saver(std::to_string(window_));
    const int samples = ((kWidth - 5 + 9) / 10) * ((kHeight - 5 + 9) / 10);
    // Ours covers the whole window, and the preview presents at its size.
    EXPECT_TRUE(WaitFor([&] { return DrawnSamples() == samples && PresentedSize(); }, std::chrono::seconds(30)))
        << DrawnSamples() << " of " << samples << " samples drawn";
    EXPECT_EQ(PresentedSize(), (std::array<uint32_t, 2>{kWidth, kHeight}));
    EXPECT_FALSE(saver.Ended(std::chrono::seconds(0)).has_value());

    XDestroyWindow(display_, window_);
    XSync(display_, False);
    const std::optional<int> status = saver.Ended(std::chrono::seconds(20));
    ASSERT_TRUE(status.has_value()) << "the preview outlived its window";
    EXPECT_TRUE(WIFEXITED(*status)) << *status;
}

TEST_F(ForeignPreviewTest, ANumberThatNamesNoWindowEndsTheRun) {
    SaverProcess saver(std::to_string(window_ + 0x1000));
    const std::optional<int> status = saver.Ended(std::chrono::seconds(20));
    ASSERT_TRUE(status.has_value());
    EXPECT_TRUE(WIFEXITED(*status)) << *status;
    EXPECT_EQ(DrawnSamples(), 0);
    EXPECT_FALSE(PresentedSize());
}

}  // namespace
