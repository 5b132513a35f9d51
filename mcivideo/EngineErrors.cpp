#include "EngineErrors.h"

namespace mcivideo {

MCIERROR mci_error(const media::Error& error, bool writing) {
    switch (error.code) {
    case media::ErrorCode::FileNotFound:
        return MCIERR_FILE_NOT_FOUND;
    case media::ErrorCode::UnsupportedFormat:
    case media::ErrorCode::CorruptFile:
        return MCIERR_INVALID_FILE;
    case media::ErrorCode::NoVideo:
        return MCIERR_NO_WINDOW;
    case media::ErrorCode::OutOfRange:
        return MCIERR_OUTOFRANGE;
    case media::ErrorCode::NotReady:
        return MCIERR_DEVICE_NOT_READY;
    case media::ErrorCode::NoFrame:
    case media::ErrorCode::NotApplicable:
        return MCIERR_NONAPPLICABLE_FUNCTION;
    case media::ErrorCode::Io:
        return writing ? MCIERR_FILE_WRITE : MCIERR_FILE_READ;
    }
    return MCIERR_DRIVER_INTERNAL;
}

} // namespace mcivideo
