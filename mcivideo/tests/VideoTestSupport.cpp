#include "VideoTestSupport.h"

#include "MediaFixtures.h"

#include <filesystem>
#include <map>

namespace video_test {

namespace fs = std::filesystem;

namespace {

struct Recipe {
    const char* file;
    std::vector<std::string> arguments; // between the ffmpeg options and the output file
};

const Recipe& recipe(Clip clip) {
    static const std::map<Clip, Recipe> recipes = {
        {Clip::Mpeg1,
         {"clip.mpg",
          {"-f",       "lavfi",      "-i",       "testsrc=size=320x240:rate=25:duration=2",
           "-f",       "lavfi",      "-i",       "sine=frequency=440:sample_rate=44100:duration=2",
           "-c:v",     "mpeg1video", "-b:v",     "1000k",
           "-minrate", "1000k",      "-maxrate", "1000k",
           "-bufsize", "327680",     "-c:a",     "mp2",
           "-b:a",     "128k",       "-f",       "mpeg"}}},
        {Clip::Avi,
         {"clip.avi",
          {"-f", "lavfi", "-i", "testsrc=size=320x240:rate=25:duration=2", "-f", "lavfi", "-i",
           "sine=frequency=440:sample_rate=44100:duration=2", "-c:v", "mpeg4", "-g", "12", "-c:a",
           "pcm_s16le", "-f", "avi"}}},
        {Clip::Mov,
         {"clip.mov",
          {"-f", "lavfi", "-i", "testsrc=size=320x240:rate=25:duration=2", "-f", "lavfi", "-i",
           "sine=frequency=440:sample_rate=48000:duration=2", "-c:v", "mpeg4", "-c:a", "aac", "-f", "mov"}}},
        {Clip::Red,
         {"red.avi",
          {"-f", "lavfi", "-i", "color=c=red:size=160x120:rate=25:duration=1", "-c:v", "mpeg4", "-f",
           "avi"}}},
        {Clip::SoundOnly,
         {"sound.mpg",
          {"-f", "lavfi", "-i", "sine=frequency=440:sample_rate=44100:duration=2", "-c:a", "mp2", "-f",
           "mpeg"}}},
    };
    return recipes.at(clip);
}

std::vector<Message>& received() {
    static std::vector<Message> messages;
    return messages;
}

LRESULT record_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == MM_MCINOTIFY || message == MM_MCISIGNAL) {
        received().push_back({hwnd, message, wparam, lparam});
        return 0;
    }
    return DefWindowProcA(hwnd, message, wparam, lparam);
}

} // namespace

std::string clip_path(Clip clip) {
    const Recipe& made = recipe(clip);
    return media::test::ffmpeg_fixture(made.file, made.arguments);
}

CallbackWindow::CallbackWindow() {
    WNDCLASSA window_class{};
    window_class.lpfnWndProc = record_procedure;
    window_class.lpszClassName = "VideoTestCallback";
    RegisterClassA(&window_class);
    m_handle = CreateWindowExA(0, "VideoTestCallback", "callback", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                               nullptr, nullptr);
    received().clear();
}

CallbackWindow::~CallbackWindow() {
    if (m_handle)
        DestroyWindow(m_handle);
}

std::vector<Message> CallbackWindow::messages(UINT message) const {
    std::vector<Message> found;
    for (const Message& each : received())
        if (each.hwnd == m_handle && each.message == message)
            found.push_back(each);
    return found;
}

void VideoDeviceTest::TearDown() {
    mciSendStringA("close all", nullptr, 0, nullptr);
}

std::string VideoDeviceTest::install(Clip clip, const std::string& dos_name) {
    std::string source = clip_path(clip);
    if (source.empty()) {
        ADD_FAILURE() << "ffmpeg could not make the clip " << recipe(clip).file;
        return "";
    }
    return install_file(source, dos_name);
}

std::string VideoDeviceTest::install_file(const std::string& host_path, const std::string& dos_name) {
    fs::create_directories(prefix.drive_c() / "CLIPS");
    fs::copy_file(host_path, prefix.drive_c() / "CLIPS" / dos_name, fs::copy_options::overwrite_existing);
    return "C:\\CLIPS\\" + dos_name;
}

MCIERROR VideoDeviceTest::send(const std::string& command, HWND callback) {
    char buffer[512] = "";
    MCIERROR code = mciSendStringA(command.c_str(), buffer, sizeof buffer, callback);
    reply = buffer;
    return code;
}

long long VideoDeviceTest::number(const std::string& command) {
    EXPECT_EQ(send(command), 0u) << command;
    try {
        return std::stoll(reply);
    } catch (...) {
        ADD_FAILURE() << command << " answered \"" << reply << "\"";
        return -1;
    }
}

} // namespace video_test
