#ifndef RTFDOC_CONVERTCOMMAND_H
#define RTFDOC_CONVERTCOMMAND_H

#include <QStringList>

// rtfdoc convert FILE -o OUT [--to FORMAT] [--page N] [--removeinvalidchar]
int runConvert(const QStringList &arguments);

#endif // RTFDOC_CONVERTCOMMAND_H
