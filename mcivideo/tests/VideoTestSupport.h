// Test helpers for the video devices: clips made at test time with Debian's ffmpeg (media
// fixtures), a temporary prefix holding them under C:\CLIPS, a callback window that records the
// MCI messages it receives, and the message pump.
#pragma once

#include "PumpUntil.h"
#include "TempPrefix.h"

#include "host/user32.h"
#include "host/winmm.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace video_test {

// Known clips. Every picture clip is 25 frames a second.
enum class Clip {
    Mpeg1,     // MPEG-1 system stream, 320x240, 2 s, constant video 1000 kbit/s, MP2 128 kbit/s
    Avi,       // AVI, MPEG-4 video 320x240 with a key frame every 12 frames, PCM sound, 2 s
    Mov,       // QuickTime, MPEG-4 video 320x240, AAC sound, 2 s
    Red,       // AVI, MPEG-4 video 160x120, pure red, 1 s, no sound
    SoundOnly, // MPEG-1 system stream with MP2 sound only, 2 s
};

// The host path of the clip, made on first use; "" when ffmpeg failed.
std::string clip_path(Clip clip);

struct Message {
    HWND hwnd;
    UINT message;
    WPARAM wparam;
    LPARAM lparam;
};

// A hidden window that keeps the MM_MCINOTIFY and MM_MCISIGNAL messages dispatched to it.
class CallbackWindow {
  public:
    CallbackWindow();
    ~CallbackWindow();
    HWND handle() const { return m_handle; }
    std::vector<Message> messages(UINT message) const;

  private:
    HWND m_handle = nullptr;
};

// A fresh prefix with the clips copied in as C:\CLIPS\<NAME>, and the MCI command helpers.
class VideoDeviceTest : public ::testing::Test {
  protected:
    void TearDown() override;

    // Copies the clip into the prefix and returns its DOS path; fails the test when ffmpeg could
    // not make the clip.
    std::string install(Clip clip, const std::string& dos_name);
    // Copies any file into the prefix as C:\CLIPS\<dos_name> and returns that DOS path.
    std::string install_file(const std::string& host_path, const std::string& dos_name);
    MCIERROR send(const std::string& command, HWND callback = nullptr);
    // The reply as a number (the test fails when it is not one).
    long long number(const std::string& command);

    TempPrefix prefix;
    std::string reply;
};

} // namespace video_test
