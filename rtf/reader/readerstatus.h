#ifndef QMK_READERSTATUS_H
#define QMK_READERSTATUS_H

#include <QString>

// Status codes of an import. The first non-zero status of an import is kept; reading goes on.
namespace RtfStatus {
enum : int {
    Ok = 0,
    UnmatchedClosingBrace = 1,   ///< '}' with no group open
    UnclosedGroup = 2,           ///< input ended inside a group
    UnmatchedBrace = 3,          ///< not raised; kept for its message
    InvalidSData = 4,            ///< not raised; kept for its message
    InvalidTable = 5,            ///< not raised; kept for its message
    AssertionError = 6,          ///< not raised; kept for its message
    UnexpectedEnd = 7,           ///< fewer than two bytes left at a backslash
    InvalidControlWord = 8,      ///< a control word longer than the look-ahead
    InvalidParameter = 9,        ///< malformed or truncated keyword data (\', \bin)
    DeviceNotOpen = 10,          ///< the device could not be opened
};
}

// The message for a status, translated in the context "QMKTextRtfReader"; empty for Ok.
QString rtfStatusMessage(int status);

#endif // QMK_READERSTATUS_H
