// The host's video device as a service to driver modules (MciDriverHost.open_video_device and
// the two functions after it): a driver builds its device on the host's digital-video device
// and hands it the commands it does not answer itself.
#pragma once

#include "host/MciDriver.h"

#include <cstdint>

namespace host::mci {

void* open_video_device(const MciDriverOpen* open, const char* medium, const MciDriverVideoOptions* options,
                        std::uint32_t* error);
std::uint32_t video_command(void* device, const MciDriverCommand* command, MciDriverReply* reply,
                            int* notify_later);
void close_video_device(void* device);

} // namespace host::mci
