/* The floor for start-up: a raw X client that opens a 457x431 window and draws one line when
 * it is first exposed, then waits to be killed. Nothing can show a window much faster.
 * With --background the window has a white background, which the server fills in at the map:
 * for checking that the observer tells the server's fill from the program's drawing. */
#include <xcb/xcb.h>

#include <stdlib.h>
#include <string.h>
#include <unistd.h>

int main(int argc, char **argv)
{
    const int background = argc > 1 && strcmp(argv[1], "--background") == 0;
    xcb_connection_t *c = xcb_connect(NULL, NULL);
    if (xcb_connection_has_error(c))
        return 1;
    const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const xcb_window_t window = xcb_generate_id(c);
    /* No background, like a toolkit's window: the first drawing is the program's own. */
    const uint32_t values[] = {background ? screen->white_pixel : XCB_BACK_PIXMAP_NONE,
                               XCB_EVENT_MASK_EXPOSURE};
    xcb_create_window(c, XCB_COPY_FROM_PARENT, window, screen->root, 0, 0, 457, 431, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual,
                      (background ? XCB_CW_BACK_PIXEL : XCB_CW_BACK_PIXMAP) | XCB_CW_EVENT_MASK,
                      values);
    const char title[] = "floor";
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8,
                        sizeof title - 1, title);
    const char name[] = "_NET_WM_PID";
    xcb_intern_atom_reply_t *pidAtom =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, sizeof name - 1, name), NULL);
    if (pidAtom) {
        const uint32_t pid = (uint32_t)getpid();
        xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, pidAtom->atom, XCB_ATOM_CARDINAL, 32,
                            1, &pid);
        free(pidAtom);
    }
    const xcb_gcontext_t gc = xcb_generate_id(c);
    const uint32_t black = screen->black_pixel;
    xcb_create_gc(c, gc, window, XCB_GC_FOREGROUND, &black);
    xcb_map_window(c, window);
    xcb_flush(c);

    xcb_generic_event_t *event;
    while ((event = xcb_wait_for_event(c))) {
        if ((event->response_type & 0x7f) == XCB_EXPOSE) {
            const xcb_point_t line[] = {{0, 0}, {456, 430}};
            xcb_poly_line(c, XCB_COORD_MODE_ORIGIN, window, gc, 2, line);
            xcb_flush(c);
        }
        free(event);
    }
    xcb_disconnect(c);
    return 0;
}
