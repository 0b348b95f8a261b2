// Linked into the sanitizer build's programs only. LeakSanitizer looks for pointers in the
// libraries still loaded when the program ends; a library unloaded before then (Mesa's EGL
// driver, which Qt's Wayland plugin brings up) takes its pointers with it, so what it still
// held shows as leaked, from a module with no name that no suppression can match. Keeping
// every library loaded until the end keeps those pointers and every frame's name.

extern "C" int dlclose(void *)
{
    return 0;
}
