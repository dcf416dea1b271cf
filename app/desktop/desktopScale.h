// What the desktop tells X programs about its scale, asked of the X server
// and the environment when the window's size is chosen.
#ifndef ZELQUOR_DESKTOP_SCALE_H
#define ZELQUOR_DESKTOP_SCALE_H

#include "scaleChoice.h"

typedef struct _XDisplay Display;

// Xft.dpi from the root window's resources (RESOURCE_MANAGER, as read when
// the connection opened), the XSETTINGS manager's Gdk/WindowScalingFactor,
// and the variables GDK_SCALE and ZELQUOR_SCALE.
scaleSources scaleSourcesOf(Display* display);

// The scale chosen from them; says on standard error, in one line, when
// ZELQUOR_SCALE is not a scale.
double scaleForDesktop(Display* display);

#endif
