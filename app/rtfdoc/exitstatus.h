#ifndef RTFDOC_EXITSTATUS_H
#define RTFDOC_EXITSTATUS_H

// rtfdoc's exit statuses; 2 to 4 mean what they mean for rtfcheck. An import that met an RTF
// fault is not a failure of rtfdoc: the document holds what could be read.
enum ExitStatus {
    Success = 0,
    UsageError = 1,       ///< unknown command or option, missing argument, bad --page
    FileMissing = 2,
    FileNotReadable = 3,
    FileNotOpened = 4,
    UnknownFormat = 5,    ///< --to names no format, or OUT's extension implies none
    OutputNotWritten = 6, ///< the output file cannot be written
};

#endif // RTFDOC_EXITSTATUS_H
