#ifndef QMKRTF_H
#define QMKRTF_H

// Everything the qmkrtf library offers its users.

#include "qmkcodepageinfo.h"
#include "qmkfontconstruction.h"
#include "qmkfontfamilymap.h"
#include "qmkfontnames.h"
#include "qmkformatcomparison.h"
#include "qmkformatproperties.h"
#include "qmkhighprecisioncolor.h"
#include "qmklinespacing.h"
#include "qmklistlevel.h"
#include "qmkpdfrenderer.h"
#include "qmkrevisionpalette.h"
#include "qmktextrtfreader.h"
#include "qmktextrtfwriter.h"
#include "qmktextstyle.h"
#include "qmktextutilities.h"
#include "qmkunits.h"

#endif // QMKRTF_H
