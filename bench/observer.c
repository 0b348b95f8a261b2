/* Times a program's start-up from outside it: starts the program, waits for a top-level window
 * of its process to map, and stops the clock at the first drawing the X server reports on that
 * window (X Damage). Reads the program's resident set at that moment, then kills it.
 *
 * usage: observer PROGRAM [ARGS...]
 * prints: first_frame_us=N rss_kib=N
 *
 * Meant for a private display with nothing else on it and no window manager, so the program's
 * windows are children of the root window. */
#define _POSIX_C_SOURCE 200809L

#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

enum { maxWindows = 64, timeoutMs = 20000 };

struct watched
{
    xcb_window_t window;
    int mapped;
    xcb_get_property_cookie_t pid; /* asked for at map time, read at its first damage */
};

static long long nowUs(void)
{
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return (long long)t.tv_sec * 1000000 + t.tv_nsec / 1000;
}

static long rssKiB(pid_t pid)
{
    char path[64];
    char line[256];
    long kib = -1;
    snprintf(path, sizeof path, "/proc/%d/status", (int)pid);
    FILE *status = fopen(path, "r");
    if (!status)
        return -1;
    while (fgets(line, sizeof line, status)) {
        if (strncmp(line, "VmRSS:", 6) == 0) {
            kib = strtol(line + 6, NULL, 10);
            break;
        }
    }
    fclose(status);
    return kib;
}

static int fail(const char *message)
{
    fprintf(stderr, "observer: %s\n", message);
    return 1;
}

static xcb_atom_t atom(xcb_connection_t *c, const char *name)
{
    xcb_intern_atom_reply_t *reply =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, (uint16_t)strlen(name), name), NULL);
    xcb_atom_t a = reply ? reply->atom : XCB_ATOM_NONE;
    free(reply);
    return a;
}

static int ownedBy(xcb_connection_t *c, xcb_get_property_cookie_t cookie, pid_t pid)
{
    xcb_get_property_reply_t *reply = xcb_get_property_reply(c, cookie, NULL);
    int owned = reply && reply->format == 32 && xcb_get_property_value_length(reply) == 4 &&
                *(const uint32_t *)xcb_get_property_value(reply) == (uint32_t)pid;
    free(reply);
    return owned;
}

int main(int argc, char **argv)
{
    if (argc < 2) {
        fprintf(stderr, "usage: observer PROGRAM [ARGS...]\n");
        return 2;
    }
    xcb_connection_t *c = xcb_connect(NULL, NULL);
    if (xcb_connection_has_error(c))
        return fail("cannot open the display");
    const xcb_query_extension_reply_t *damage = xcb_get_extension_data(c, &xcb_damage_id);
    if (!damage || !damage->present)
        return fail("the display has no Damage extension");
    free(xcb_damage_query_version_reply(
        c, xcb_damage_query_version(c, XCB_DAMAGE_MAJOR_VERSION, XCB_DAMAGE_MINOR_VERSION), NULL));
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const xcb_atom_t netWmPid = atom(c, "_NET_WM_PID");
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_generic_error_t *error = xcb_request_check(
        c, xcb_change_window_attributes_checked(c, root, XCB_CW_EVENT_MASK, &mask));
    if (error) {
        free(error);
        return fail("cannot watch the root window");
    }

    const long long t0 = nowUs();
    const pid_t pid = fork();
    if (pid < 0)
        return fail("cannot fork");
    if (pid == 0) {
        close(xcb_get_file_descriptor(c));
        execvp(argv[1], argv + 1);
        _exit(127);
    }

    struct watched windows[maxWindows];
    int count = 0;
    long long firstFrame = -1;
    long rss = -1;
    struct pollfd fd = {xcb_get_file_descriptor(c), POLLIN, 0};
    while (firstFrame < 0 && nowUs() - t0 < (long long)timeoutMs * 1000) {
        xcb_generic_event_t *event = xcb_poll_for_event(c);
        if (!event) {
            if (xcb_connection_has_error(c) || waitpid(pid, NULL, WNOHANG) != 0)
                break;
            poll(&fd, 1, 100);
            continue;
        }
        const long long at = nowUs();
        const uint8_t type = event->response_type & 0x7f;
        if (type == XCB_CREATE_NOTIFY) {
            /* The Damage object exists before the window maps, so no drawing can slip past. */
            const xcb_create_notify_event_t *e = (const xcb_create_notify_event_t *)event;
            if (e->parent == root && count < maxWindows) {
                windows[count].window = e->window;
                windows[count].mapped = 0;
                ++count;
                xcb_damage_create(c, xcb_generate_id(c), e->window,
                                  XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
                xcb_flush(c);
            }
        } else if (type == XCB_MAP_NOTIFY) {
            const xcb_map_notify_event_t *e = (const xcb_map_notify_event_t *)event;
            for (int i = 0; i < count; ++i) {
                if (windows[i].window == e->window && !windows[i].mapped) {
                    windows[i].mapped = 1;
                    windows[i].pid =
                        xcb_get_property(c, 0, e->window, netWmPid, XCB_ATOM_CARDINAL, 0, 1);
                    xcb_flush(c);
                }
            }
        } else if (type == damage->first_event + XCB_DAMAGE_NOTIFY) {
            const xcb_damage_notify_event_t *e = (const xcb_damage_notify_event_t *)event;
            for (int i = 0; i < count; ++i) {
                if (windows[i].window != e->drawable || windows[i].mapped != 1)
                    continue;
                windows[i].mapped = 2; /* its owner is asked once */
                if (ownedBy(c, windows[i].pid, pid)) {
                    rss = rssKiB(pid);
                    firstFrame = at - t0;
                }
            }
        }
        /* Errors (a window gone before its Damage object was made) are of no interest. */
        free(event);
    }

    kill(pid, SIGKILL);
    waitpid(pid, NULL, 0);
    xcb_disconnect(c);
    if (firstFrame < 0)
        return fail("the program showed no window");
    printf("first_frame_us=%lld rss_kib=%ld\n", firstFrame, rss);
    return 0;
}
