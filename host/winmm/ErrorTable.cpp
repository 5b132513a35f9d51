#include "ErrorTable.h"

namespace host::mci {

namespace {

// clang-format off
constexpr ErrorRow rows[] = {
    {0, "NOERROR", "The specified command was carried out."},
    {257, "INVALID_DEVICE_ID", "Invalid MCI device ID. Use the ID returned when opening the MCI device."},
    {259, "UNRECOGNIZED_KEYWORD", "The driver cannot recognize the specified command parameter."},
    {261, "UNRECOGNIZED_COMMAND", "The driver cannot recognize the specified command."},
    {262, "HARDWARE", "There is a problem with your media device. Make sure it is working correctly or contact the device manufacturer."},
    {263, "INVALID_DEVICE_NAME", "The specified device is not open or is not recognized by MCI."},
    {264, "OUT_OF_MEMORY", "Not enough memory available for this task. Quit one or more applications to increase available memory, and then try again."},
    {265, "DEVICE_OPEN", "The device name is already being used as an alias by this application. Use a unique alias."},
    {266, "CANNOT_LOAD_DRIVER", "There is an undetectable problem in loading the specified device driver."},
    {267, "MISSING_COMMAND_STRING", "No command was specified."},
    {268, "PARAM_OVERFLOW", "The output string was too large to fit in the return buffer. Increase the size of the buffer."},
    {269, "MISSING_STRING_ARGUMENT", "The specified command requires a character-string parameter. Please provide one."},
    {270, "BAD_INTEGER", "The specified integer is invalid for this command."},
    {271, "PARSER_INTERNAL", "The device driver returned an invalid return type. Check with the device manufacturer about obtaining a new driver."},
    {272, "DRIVER_INTERNAL", "There is a problem with the device driver. Check with the device manufacturer about obtaining a new driver."},
    {273, "MISSING_PARAMETER", "The specified command requires a parameter. Please supply one."},
    {274, "UNSUPPORTED_FUNCTION", "The MCI device you are using does not support the specified command."},
    {275, "FILE_NOT_FOUND", "Cannot find the specified file. Make sure the path and filename are correct."},
    {276, "DEVICE_NOT_READY", "The device driver is not ready."},
    {277, "INTERNAL", "A problem occurred in initializing MCI. Try restarting Windows."},
    {278, "DRIVER", "There is a problem with the device driver. The driver has closed. Cannot access error."},
    {279, "CANNOT_USE_ALL", "Cannot use 'all' as the device name with the specified command."},
    {280, "MULTIPLE", "Errors occurred in more than one device. Specify each command and device separately to determine which devices caused the error."},
    {281, "EXTENSION_NOT_FOUND", "Cannot determine the device type from the given filename extension."},
    {282, "OUTOFRANGE", "The specified parameter is out of range for the specified command."},
    {284, "FLAGS_NOT_COMPATIBLE", "The specified parameters cannot be used together."},
    {286, "FILE_NOT_SAVED", "Cannot save the specified file. Make sure you have enough disk space or are still connected to the network."},
    {287, "DEVICE_TYPE_REQUIRED", "Cannot find the specified device. Make sure it is installed and that the device name is spelled correctly."},
    {288, "DEVICE_LOCKED", "The specified device is now being closed. Wait a few seconds, and then try again."},
    {289, "DUPLICATE_ALIAS", "The specified alias is already being used in this application. Use a unique alias."},
    {290, "BAD_CONSTANT", "The specified parameter is invalid for this command."},
    {291, "MUST_USE_SHAREABLE", "The device driver is already in use. To share it, use the 'shareable' parameter with each 'open' command."},
    {292, "MISSING_DEVICE_NAME", "The specified command requires an alias, file, driver, or device name. Please supply one."},
    {293, "BAD_TIME_FORMAT", "The specified value for the time format is invalid. Refer to the MCI documentation for valid formats."},
    {294, "NO_CLOSING_QUOTE", "A closing double-quotation mark is missing from the parameter value. Please supply one."},
    {295, "DUPLICATE_FLAGS", "A parameter or value was specified twice. Only specify it once."},
    {296, "INVALID_FILE", "The specified file cannot be played on the specified MCI device. The file may be corrupt, or not in the correct format."},
    {297, "NULL_PARAMETER_BLOCK", "A null parameter block was passed to MCI."},
    {298, "UNNAMED_RESOURCE", "Cannot save an unnamed file. Supply a filename."},
    {299, "NEW_REQUIRES_ALIAS", "You must specify an alias when using the 'new' parameter."},
    {300, "NOTIFY_ON_AUTO_OPEN", "Cannot use the 'notify' flag with auto-opened devices."},
    {301, "NO_ELEMENT_ALLOWED", "Cannot use a filename with the specified device."},
    {302, "NONAPPLICABLE_FUNCTION", "Cannot carry out the commands in the order specified. Correct the command sequence, and then try again."},
    {303, "ILLEGAL_FOR_AUTO_OPEN", "Cannot carry out the specified command on an auto-opened device. Wait until the device is closed, and then try again."},
    {304, "FILENAME_REQUIRED", "The filename is invalid. Make sure the filename is not longer than 8 characters, followed by a period and an extension."},
    {305, "EXTRA_CHARACTERS", "Cannot specify extra characters after a string enclosed in quotation marks."},
    {306, "DEVICE_NOT_INSTALLED", "The specified device is not installed on the system. Use the Drivers option in Control Panel to install the device."},
    {307, "GET_CD", "Cannot access the specified file or MCI device. Try changing directories or restarting your computer."},
    {308, "SET_CD", "Cannot access the specified file or MCI device because the application cannot change directories."},
    {309, "SET_DRIVE", "Cannot access specified file or MCI device because the application cannot change drives."},
    {310, "DEVICE_LENGTH", "Specify a device or driver name that is less than 79 characters."},
    {311, "DEVICE_ORD_LENGTH", "Specify a device or driver name that is less than 69 characters."},
    {312, "NO_INTEGER", "The specified command requires an integer parameter. Please provide one."},
    {346, "NO_WINDOW", "There is no display window."},
    {347, "CREATEWINDOW", "Could not create or use window."},
    {348, "FILE_READ", "Cannot read the specified file. Make sure the file is still present, or check your disk or network connection."},
    {349, "FILE_WRITE", "Cannot write to the specified file. Make sure you have enough disk space or are still connected to the network."},
    {350, "NO_IDENTITY", ""},
};
// clang-format on

} // namespace

std::span<const ErrorRow> error_rows() {
    return rows;
}

const ErrorRow* find_error(MCIERROR code) {
    for (const ErrorRow& row : rows)
        if (row.code == code)
            return &row;
    return nullptr;
}

} // namespace host::mci
