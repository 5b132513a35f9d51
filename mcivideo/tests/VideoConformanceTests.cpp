// Command string in, code and reply out: the video devices on clips whose properties are known.

#include "VideoTestSupport.h"

using namespace video_test;

namespace {

struct Case {
    const char* command;
    MCIERROR code;
    const char* reply; // nullptr: not compared
};

class Conformance : public VideoDeviceTest {
  protected:
    void run(const std::vector<Case>& cases) {
        for (const Case& test : cases) {
            SCOPED_TRACE(test.command);
            EXPECT_EQ(send(test.command), test.code);
            if (test.reply) {
                EXPECT_EQ(reply, test.reply);
            }
        }
    }
};

TEST_F(Conformance, mpeg_video_answers_the_players_queries_in_milliseconds) {
    std::string path = install(Clip::Mpeg1, "CLIP01.MPG");
    ASSERT_EQ(send("open " + path + " type MPEGVideo alias xyzmpeg wait"), 0u);
    EXPECT_EQ(reply, "1");
    run({
        {"status xyzmpeg mode wait", 0, "stopped"},
        {"status xyzmpeg time format", 0, "milliseconds"},
        {"status xyzmpeg position wait", 0, "0"},
        {"status xyzmpeg start position", 0, "0"},
        {"status xyzmpeg number of tracks wait", 0, "1"},
        {"status xyzmpeg current track", 0, "1"},
        {"status xyzmpeg media present", 0, "true"},
        {"status xyzmpeg ready", 0, "true"},
        {"status xyzmpeg nominal frame rate wait", 0, "25000"},
        {"status xyzmpeg frame rate nominal", 0, "25000"},
        {"status xyzmpeg frame rate", 0, "25000"},
        {"status xyzmpeg speed", 0, "1000"},
        {"status xyzmpeg forward", 0, "true"},
        {"status xyzmpeg audio", 0, "on"},
        {"status xyzmpeg video", 0, "on"},
        {"status xyzmpeg volume", 0, "1000"},
        {"status xyzmpeg seek exactly", 0, "on"},
        {"status xyzmpeg unsaved", 0, "false"},
        {"status xyzmpeg pause mode", MCIERR_NONAPPLICABLE_FUNCTION, ""},
        {"status xyzmpeg", MCIERR_UNSUPPORTED_FUNCTION, ""},
        {"status xyzmpeg position track 2", MCIERR_OUTOFRANGE, ""},
        {"where xyzmpeg source wait", 0, "0 0 320 240"},
        {"where xyzmpeg destination", 0, "0 0 320 240"},
        {"where xyzmpeg source max", 0, "0 0 320 240"},
        {"info xyzmpeg product wait", 0, "ActiveMovie"},
        {"info xyzmpeg file", 0, path.c_str()},
        {"info xyzmpeg window text", 0, "CLIP01.MPG"},
        {"capability xyzmpeg compound device wait", 0, "true"},
        {"capability xyzmpeg has video wait", 0, "true"},
        {"capability xyzmpeg has audio", 0, "true"},
        {"capability xyzmpeg can play", 0, "true"},
        {"capability xyzmpeg can record", 0, "false"},
        {"capability xyzmpeg can save", 0, "false"},
        {"capability xyzmpeg uses files", 0, "true"},
        {"capability xyzmpeg device type", 0, "digitalvideo"},
        {"capability xyzmpeg can test", 0, "true"},
        {"capability xyzmpeg windows", 0, "1"},
        {"set xyzmpeg time format hms wait", MCIERR_BAD_TIME_FORMAT, ""},
        {"set xyzmpeg door open", MCIERR_UNSUPPORTED_FUNCTION, ""},
        {"set xyzmpeg audio all", MCIERR_MISSING_PARAMETER, ""},
        {"seek xyzmpeg", MCIERR_MISSING_PARAMETER, ""},
        {"seek xyzmpeg to 99999 wait", MCIERR_OUTOFRANGE, ""},
        {"seek xyzmpeg to -5 wait", MCIERR_OUTOFRANGE, ""},
        {"play xyzmpeg from 0 to 99999", MCIERR_OUTOFRANGE, ""},
        {"play xyzmpeg from 1000 to 500", MCIERR_OUTOFRANGE, ""},
        {"play xyzmpeg reverse", MCIERR_UNSUPPORTED_FUNCTION, ""},
        {"play xyzmpeg repeat wait", MCIERR_FLAGS_NOT_COMPATIBLE, ""},
        {"resume xyzmpeg", MCIERR_NONAPPLICABLE_FUNCTION, ""},
        {"setaudio xyzmpeg volume to 1001", MCIERR_OUTOFRANGE, ""},
        {"setaudio xyzmpeg volume", MCIERR_MISSING_PARAMETER, ""},
        {"setaudio xyzmpeg volume to 400 wait", 0, ""},
        {"status xyzmpeg volume", 0, "400"},
        {"setaudio xyzmpeg left volume to 200", 0, ""},
        {"status xyzmpeg left volume", 0, "200"},
        {"status xyzmpeg right volume", 0, "400"},
        {"status xyzmpeg volume", 0, "300"},
        {"setaudio xyzmpeg left off wait", 0, ""},
        {"status xyzmpeg audio", 0, "on"},
        {"setaudio xyzmpeg right off wait", 0, ""},
        {"status xyzmpeg audio", 0, "off"},
        {"set xyzmpeg audio all on", 0, ""},
        {"status xyzmpeg audio", 0, "on"},
        {"setvideo xyzmpeg off", 0, ""},
        {"status xyzmpeg video", 0, "off"},
        {"set xyzmpeg speed 500", 0, ""},
        {"status xyzmpeg speed", 0, "500"},
        {"status xyzmpeg frame rate", 0, "12500"},
        {"seek xyzmpeg to 1000 test", 0, ""},
        {"status xyzmpeg position", 0, "0"},
        {"ratecontrol xyzmpeg off wait", 0, ""},
        {"ratecontrol xyzmpeg on wait", 0, ""},
        {"close xyzmpeg wait", 0, ""},
        {"status xyzmpeg mode", MCIERR_INVALID_DEVICE_NAME, ""},
    });
}

TEST_F(Conformance, bit_rates_and_length_match_the_clip) {
    std::string path = install(Clip::Mpeg1, "CLIP01.MPG");
    ASSERT_EQ(send("open " + path + " type MPEGVideo alias xyzmpeg wait"), 0u);
    EXPECT_NEAR(number("status xyzmpeg length wait"), 2000, 40);
    EXPECT_EQ(number("status xyzmpeg audio bitrate wait"), 128000);
    EXPECT_NEAR(number("status xyzmpeg video bitrate wait"), 1000000, 100000);
    long long system = number("status xyzmpeg bitrate wait");
    EXPECT_GT(system, 1000000);
    EXPECT_LT(system, 1400000);
    ASSERT_EQ(send("set xyzmpeg time format frames wait"), 0u);
    EXPECT_EQ(number("status xyzmpeg length"), 50);
    EXPECT_EQ(send("status xyzmpeg time format"), 0u);
    EXPECT_EQ(reply, "frames");
}

TEST_F(Conformance, each_system_type_opens_its_files_with_its_own_defaults) {
    struct Row {
        Clip clip;
        const char* name;
        const char* type;
        const char* product;
        const char* time_format;
        long long length;
    };
    const Row rows[] = {
        {Clip::Avi, "CLIP.AVI", "avivideo", "Video for Windows", "frames", 50},
        {Clip::Mov, "CLIP.MOV", "QTWVideo", "QuickTime for Windows", "frames", 50},
        {Clip::Avi, "ANIM.AVI", "Animation1", "Autodesk Animation Player", "frames", 50},
        {Clip::Mpeg1, "CLIP.MPG", "MPEGVideo", "ActiveMovie", "milliseconds", 2000},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.type);
        std::string path = install(row.clip, row.name);
        ASSERT_EQ(send("open " + path + " type " + row.type + " alias xyzmpeg wait"), 0u);
        EXPECT_EQ(send("info xyzmpeg product"), 0u);
        EXPECT_EQ(reply, row.product);
        EXPECT_EQ(send("status xyzmpeg time format"), 0u);
        EXPECT_EQ(reply, row.time_format);
        EXPECT_NEAR(number("status xyzmpeg length"), row.length, row.length / 50);
        EXPECT_EQ(send("where xyzmpeg source"), 0u);
        EXPECT_EQ(reply, "0 0 320 240");
        EXPECT_EQ(send("close xyzmpeg"), 0u);
    }
}

TEST_F(Conformance, animation_device_is_an_animation_type_with_fast_and_slow_play) {
    std::string path = install(Clip::Avi, "ANIM.AVI");
    ASSERT_EQ(send("open " + path + " type Animation1 alias a"), 0u);
    run({
        {"capability a device type", 0, "animation"},
        {"play a fast", 0, ""},
        {"status a frame rate", 0, "50000"},
        {"play a slow", 0, ""},
        {"status a frame rate", 0, "12500"},
        {"stop a wait", 0, ""},
    });
}

TEST_F(Conformance, file_opens_by_extension_and_by_type_bang_element) {
    std::string path = install(Clip::Avi, "CLIP.AVI");
    ASSERT_EQ(send("open " + path + " alias byext"), 0u);
    EXPECT_EQ(send("sysinfo byext installname"), 0u);
    EXPECT_EQ(reply, "avivideo") << "the [mci] key the extension led to";
    ASSERT_EQ(send("open QTWVideo!" + path + " alias bang"), 0u);
    EXPECT_EQ(send("info bang product"), 0u);
    EXPECT_EQ(reply, "QuickTime for Windows");
    EXPECT_EQ(send("open \"" + path + "\" type avivideo alias quoted"), 0u);
}

TEST_F(Conformance, bad_files_give_windows_errors) {
    prefix.write("C:\\CLIPS\\GARBAGE.MPG", std::string(4096, '\x5a'));
    prefix.write("C:\\CLIPS\\EMPTY.AVI", "");
    run({
        {"open C:\\CLIPS\\MISSING.MPG type MPEGVideo alias m", MCIERR_FILE_NOT_FOUND, ""},
        {"open Q:\\NODRIVE\\A.MPG type MPEGVideo alias m", MCIERR_FILE_NOT_FOUND, ""},
        {"open C:\\CLIPS\\GARBAGE.MPG type MPEGVideo alias m", MCIERR_INVALID_FILE, ""},
        {"open C:\\CLIPS\\EMPTY.AVI type avivideo alias m", MCIERR_INVALID_FILE, ""},
        {"status m mode", MCIERR_INVALID_DEVICE_NAME, ""},
        {"sysinfo all quantity open", 0, "0"},
    });
}

TEST_F(Conformance, truncated_file_plays_what_it_holds_and_ends) {
    std::string good = install(Clip::Mpeg1, "GOOD.MPG");
    std::string bytes = prefix.read(good);
    prefix.write("C:\\CLIPS\\HALF.MPG", bytes.substr(0, bytes.size() / 2));
    ASSERT_EQ(send("open C:\\CLIPS\\HALF.MPG type MPEGVideo alias m wait"), 0u);
    long long length = number("status m length");
    EXPECT_GT(length, 0);
    EXPECT_LE(length, 2040);
    ASSERT_EQ(send("play m wait"), 0u);
    EXPECT_EQ(send("status m mode"), 0u);
    EXPECT_EQ(reply, "stopped");
    EXPECT_EQ(number("status m position"), length);
}

TEST_F(Conformance, device_opened_without_a_file_answers_what_it_can_do) {
    // As the player's device enumeration asks every installed type.
    run({
        {"open avivideo alias xyzmpeg wait", 0, "1"},
        {"info xyzmpeg product wait", 0, "Video for Windows"},
        {"info xyzmpeg file", 0, ""},
        {"capability xyzmpeg compound device wait", 0, "true"},
        {"capability xyzmpeg has video wait", 0, "true"},
        {"status xyzmpeg mode", 0, "not ready"},
        {"status xyzmpeg length", 0, "0"},
        {"status xyzmpeg window handle", MCIERR_NO_WINDOW, ""},
        {"play xyzmpeg", MCIERR_NONAPPLICABLE_FUNCTION, ""},
        {"where xyzmpeg source", MCIERR_NONAPPLICABLE_FUNCTION, ""},
        {"close xyzmpeg", 0, ""},
    });
}

TEST_F(Conformance, sound_only_file_has_no_window) {
    std::string path = install(Clip::SoundOnly, "SOUND.MPG");
    ASSERT_EQ(send("open " + path + " type MPEGVideo alias xyzmpeg parent 0 style popup wait"), 0u);
    run({
        {"status xyzmpeg window handle wait", MCIERR_NO_WINDOW, ""},
        {"where xyzmpeg source wait", MCIERR_NO_WINDOW, ""},
        {"status xyzmpeg audio bitrate", 0, nullptr},
        {"status xyzmpeg mode", 0, "stopped"},
    });
    EXPECT_NEAR(number("status xyzmpeg length"), 2000, 60);
}

TEST_F(Conformance, sysinfo_lists_the_system_video_types) {
    EXPECT_EQ(send("sysinfo digitalvideo quantity"), 0u);
    EXPECT_EQ(reply, "3") << "avivideo, QTWVideo and MPEGVideo";
    EXPECT_EQ(send("sysinfo animation name 1"), 0u);
    EXPECT_EQ(reply, "Animation1");
}

} // namespace
