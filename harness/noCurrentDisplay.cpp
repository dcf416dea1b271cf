// Preloaded into the program (LD_PRELOAD) to stand for a graphics library
// that does not draw through GLX: GLX then knows no display for the
// window's context, as under one that draws through EGL. Only the
// program's loop asks GLX this through the dynamic linker; the graphics
// library draws on unchanged.
typedef struct _XDisplay Display;

extern "C" Display* glXGetCurrentDisplay() { return nullptr; }
