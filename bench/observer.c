/* Times a program's start-up from outside it, as a player sees it: starts the program, waits
 * for a top-level window of its process to map, then follows every drawing the X server reports
 * on that window (X Damage, one event per rectangle) until the window has stayed unchanged for
 * a while. Reads the program's resident set after each drawing, then kills it.
 *
 * usage: observer [--log] [--shots PREFIX] PROGRAM [ARGS...]
 *   --log           every damage rectangle to stderr, in microseconds after the map
 *   --shots PREFIX  the window's picture after each drawing, as PREFIX-N.ppm (slows the
 *                   program down: for checking the method, not for timing)
 * prints: map_us=N first_frame_us=N whole_us=N rss_kib=N drawings=N
 *   map          the window is mapped
 *   first_frame  the first drawing of the program itself
 *   whole        the last drawing before the window stays unchanged for quietMs
 *   rss          the resident set after that last drawing
 *   drawings     damage reports on the window, the server's fill included
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

enum { maxWindows = 64, timeoutMs = 20000, quietMs = 400 };

struct watched
{
    xcb_window_t window;
    int mapped;
    unsigned watchedFrom; /* the sequence number of the observer's request to hear its Expose */
};

/* The server answers a map by filling the newly visible area with the window's background, if
 * it has one, and then sends Expose to everyone who asked for it: to the program, which only then
 * draws, and to the observer. So a damage read before the observer's Expose is the server's
 * fill, and one read after it is the program's. */
enum stage { beforeExpose, exposed };

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

static int ownedBy(xcb_connection_t *c, xcb_window_t window, xcb_atom_t netWmPid, pid_t pid)
{
    xcb_get_property_reply_t *reply = xcb_get_property_reply(
        c, xcb_get_property(c, 0, window, netWmPid, XCB_ATOM_CARDINAL, 0, 1), NULL);
    int owned = reply && reply->format == 32 && xcb_get_property_value_length(reply) == 4 &&
                *(const uint32_t *)xcb_get_property_value(reply) == (uint32_t)pid;
    free(reply);
    return owned;
}

/* The window's picture as a binary PPM, for a 24- or 32-bit TrueColor screen. Returns the
 * sequence number of the request that read it: a later event with a lower number was made
 * before the picture was read, so the picture already shows that drawing. */
static unsigned writeShot(xcb_connection_t *c, xcb_window_t window, const char *prefix, int n)
{
    xcb_get_geometry_reply_t *g = xcb_get_geometry_reply(c, xcb_get_geometry(c, window), NULL);
    if (!g)
        return 0;
    const xcb_get_image_cookie_t cookie =
        xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, window, 0, 0, g->width, g->height, ~0U);
    xcb_get_image_reply_t *image = xcb_get_image_reply(c, cookie, NULL);
    char path[512];
    snprintf(path, sizeof path, "%s-%d.ppm", prefix, n);
    FILE *out = image ? fopen(path, "wb") : NULL;
    if (out) {
        const uint8_t *p = xcb_get_image_data(image);
        const int stride = xcb_get_image_data_length(image) / g->height;
        fprintf(out, "P6\n%d %d\n255\n", g->width, g->height);
        for (int y = 0; y < g->height; ++y) {
            for (int x = 0; x < g->width; ++x) {
                const uint8_t *px = p + y * stride + x * 4; /* B G R x */
                const uint8_t rgb[3] = {px[2], px[1], px[0]};
                fwrite(rgb, 1, 3, out);
            }
        }
        fclose(out);
    }
    free(image);
    free(g);
    return cookie.sequence;
}

int main(int argc, char **argv)
{
    int log = 0;
    const char *shots = NULL;
    int arg = 1;
    for (; arg < argc && argv[arg][0] == '-'; ++arg) {
        if (strcmp(argv[arg], "--log") == 0)
            log = 1;
        else if (strcmp(argv[arg], "--shots") == 0 && arg + 1 < argc)
            shots = argv[++arg];
        else
            break;
    }
    if (arg >= argc) {
        fprintf(stderr, "usage: observer [--log] [--shots PREFIX] PROGRAM [ARGS...]\n");
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
        execvp(argv[arg], argv + arg);
        _exit(127);
    }

    struct watched windows[maxWindows];
    int count = 0;
    xcb_window_t subject = XCB_NONE;
    long long mapAt = -1;
    enum stage stage = beforeExpose;
    long long firstFrame = -1;
    long long lastDamage = -1;
    long rss = -1;
    int drawings = 0;
    unsigned shotAt = 0;
    struct pollfd fd = {xcb_get_file_descriptor(c), POLLIN, 0};
    for (;;) {
        const long long now = nowUs();
        if (now - t0 > (long long)timeoutMs * 1000)
            break;
        if (firstFrame >= 0 && now - lastDamage >= (long long)quietMs * 1000)
            break;
        xcb_generic_event_t *event = xcb_poll_for_event(c);
        if (!event) {
            if (xcb_connection_has_error(c) || waitpid(pid, NULL, WNOHANG) != 0)
                break;
            poll(&fd, 1, 20);
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
                                  XCB_DAMAGE_REPORT_LEVEL_RAW_RECTANGLES);
                const uint32_t exposure = XCB_EVENT_MASK_EXPOSURE;
                windows[count - 1].watchedFrom =
                    xcb_change_window_attributes(c, e->window, XCB_CW_EVENT_MASK, &exposure)
                        .sequence;
                xcb_flush(c);
            }
        } else if (type == XCB_MAP_NOTIFY && subject == XCB_NONE) {
            const xcb_map_notify_event_t *e = (const xcb_map_notify_event_t *)event;
            for (int i = 0; i < count; ++i) {
                if (windows[i].window == e->window && !windows[i].mapped) {
                    windows[i].mapped = 1;
                    /* A round trip of some tens of microseconds, while the program has yet to
                     * read its Expose and paint: no drawing is read late because of it. */
                    if (ownedBy(c, e->window, netWmPid, pid)) {
                        subject = e->window;
                        mapAt = at;
                        /* Mapped before the observer could hear its Expose: no fill can be told
                         * apart, so every damage counts as the program's. */
                        if ((int16_t)(uint16_t)(e->sequence - windows[i].watchedFrom) < 0) {
                            stage = exposed;
                            if (log)
                                fprintf(stderr, "mapped before the observer watched it\n");
                        }
                    }
                }
            }
        } else if (type == XCB_EXPOSE) {
            const xcb_expose_event_t *e = (const xcb_expose_event_t *)event;
            if (e->window == subject && stage == beforeExpose) {
                stage = exposed;
                if (log)
                    fprintf(stderr, "expose %+9.3f ms\n", (double)(at - mapAt) / 1000);
            }
        } else if (type == damage->first_event + XCB_DAMAGE_NOTIFY) {
            const xcb_damage_notify_event_t *e = (const xcb_damage_notify_event_t *)event;
            if (e->drawable == subject) {
                if (shotAt && (int16_t)(uint16_t)(e->sequence - shotAt) < 0)
                    fprintf(stderr, "shot %d already shows the next drawing\n", drawings);
                if (log)
                    fprintf(stderr, "damage %+9.3f ms  %4d,%-4d %4dx%-4d%s%s\n",
                            (double)(at - mapAt) / 1000, e->area.x, e->area.y, e->area.width,
                            e->area.height, e->level & 0x80 ? "  more" : "",
                            stage == beforeExpose ? "  (server's fill)" : "");
                lastDamage = at;
                rss = rssKiB(pid);
                if (firstFrame < 0 && stage == exposed)
                    firstFrame = at;
                if (!(e->level & 0x80)) {
                    ++drawings;
                    if (shots)
                        shotAt = writeShot(c, subject, shots, drawings);
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
        return fail("the program drew nothing on its window");
    printf("map_us=%lld first_frame_us=%lld whole_us=%lld rss_kib=%ld drawings=%d\n", mapAt - t0,
           firstFrame - t0, lastDamage - t0, rss, drawings);
    return 0;
}
