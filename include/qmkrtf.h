#ifndef QMKRTF_H
#define QMKRTF_H

// Everything the qmkrtf library offers its users.

#include "qmkformatcomparison.h"
#include "qmkformatproperties.h"
#include "qmklinespacing.h"
#include "qmktextrtfreader.h"
#include "qmkunits.h"

#endif // QMKRTF_H
