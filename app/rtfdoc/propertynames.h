#ifndef RTFDOC_PROPERTYNAMES_H
#define RTFDOC_PROPERTYNAMES_H

#include <QString>

// The name a format property is shown under: the name of the property register for this
// system's own properties, followed by the identifier ("list number (0x100001)"), Qt's enum
// name for Qt's ("FontPointSize"), and the bare identifier ("0x4711") for anything else.
QString formatPropertyName(int id);

#endif // RTFDOC_PROPERTYNAMES_H
