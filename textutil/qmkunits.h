#ifndef QMKUNITS_H
#define QMKUNITS_H

// Document lengths are pixels at Qt's text resolution, RTF lengths are twips (1/20 point) and
// font sizes are points. Every conversion between them goes through these functions.

double pixelsToPoints(double pixels);
double pointsToPixels(double points);
double pixelsToTwips(double pixels);
double twipsToPixels(int twips);

#endif // QMKUNITS_H
