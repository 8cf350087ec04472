#ifndef QMK_HEADLESS_H
#define QMK_HEADLESS_H

// Call before the application object exists: selects Qt's offscreen platform unless the
// caller chose one with QT_QPA_PLATFORM, and fixes the text resolution at 96 dpi so that
// lengths do not depend on the screen (the offscreen platform reports 100 dpi).
void prepareHeadlessGui();

// Drops Qt's own warnings (font configuration, platform plug-ins): a tool whose output scripts
// read must not have them mixed into it.
void discardQtMessages();

#endif // QMK_HEADLESS_H
