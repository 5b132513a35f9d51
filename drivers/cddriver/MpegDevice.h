// One open device of type MPEGMovie or VCDVideo. It is built on the host's video device (the
// host's MCI driver service), which plays the medium and answers the digital-video commands; the
// device adds what is its own: the element "==CDI" and the disc opened by the type alone, the
// settings of cdvideo.ini carried out through the package's modules, the "configure" dialog and
// its product text.
#pragma once

#include "PackageModules.h"

#include "host/MciDriver.h"

#include <string>
#include <string_view>

namespace cddriver {

class MpegDevice {
  public:
    MpegDevice(const MciDriverHost& host, const PackageModules& modules) : m_host(host), m_modules(modules) {}
    ~MpegDevice();
    MpegDevice(const MpegDevice&) = delete;
    MpegDevice& operator=(const MpegDevice&) = delete;

    // Returns 0 or the MCI error that makes the open fail.
    std::uint32_t open(const MciDriverOpen& open);
    std::uint32_t command(const MciDriverCommand& command, MciDriverReply& reply, int* notify_later);

  private:
    static bool asks_for_picture(std::string_view verb, const MciDriverCommand& command);
    static std::uint32_t answer_no_picture(std::string_view verb, const MciDriverCommand& command,
                                           MciDriverReply& reply);
    std::uint32_t configure(const MciDriverCommand& command);
    std::uint32_t info(const MciDriverCommand& command, MciDriverReply& reply, int* notify_later);
    // Carries out the settings on the open medium: pacing, sound on or off, cropping, window size.
    void apply_settings();
    std::string display_path() const;
    std::string product() const;
    // A command of the device's own making on the video device.
    std::uint32_t send(const std::string& verb_and_arguments, MciDriverReply* reply = nullptr);

    const MciDriverHost& m_host;
    const PackageModules& m_modules;
    void* m_video = nullptr;
    bool m_plays_disc_type = false; // opened as VCDVideo
    bool m_has_medium = false;
    CdSettings m_settings{};
};

} // namespace cddriver
