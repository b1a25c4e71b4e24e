/* startup-probe [-H HOLD_S] [-t TIMEOUT_S] -- COMMAND...
 *
 * Starts COMMAND on the current X display (a private Xvfb without a window manager)
 * and reports how long it took from the start until its first painted frame, and its
 * peak memory (VmHWM) HOLD_S seconds later. One line on standard output:
 * "result=ok paint_ms=<ms> hwm_kib=<KiB>", or "result=<why it failed>".
 *
 * "Painted" means the screen is no longer one flat colour: a mapped window that has
 * not drawn yet shows the flat root or a flat background. Damage on the root window
 * reports drawing into every window below it, so each report is a moment to look. */
#define _DEFAULT_SOURCE
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>

#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static double now_ms(void) {
    struct timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

static long peak_kib(pid_t pid) {
    char path[64], line[256];
    long kib = -1;
    snprintf(path, sizeof path, "/proc/%d/status", (int)pid);
    FILE *f = fopen(path, "r");
    if (!f) return -1;
    while (fgets(line, sizeof line, f))
        if (sscanf(line, "VmHWM: %ld", &kib) == 1) break;
    fclose(f);
    return kib;
}

static int screen_is_flat(Display *display) {
    const Window root = DefaultRootWindow(display);
    const int w = DisplayWidth(display, DefaultScreen(display));
    const int h = DisplayHeight(display, DefaultScreen(display));
    XImage *image = XGetImage(display, root, 0, 0, w, h, AllPlanes, ZPixmap);
    if (!image) return 1;
    const unsigned long first = XGetPixel(image, 0, 0);
    int flat = 1;
    for (int y = 0; y < h && flat; y += 2)
        for (int x = 0; x < w && flat; x += 2)
            flat = XGetPixel(image, x, y) == first;
    XDestroyImage(image);
    return flat;
}

static void drain(Display *display) {
    XSync(display, False);
    while (XPending(display)) {
        XEvent stale;
        XNextEvent(display, &stale);
    }
}

static int stop(pid_t pid, const char *result) {
    kill(pid, SIGTERM);
    waitpid(pid, NULL, 0);
    printf("result=%s\n", result);
    return 1;
}

int main(int argc, char **argv) {
    double hold_s = 1, timeout_s = 30;
    int opt;
    while ((opt = getopt(argc, argv, "H:t:")) != -1) {
        if (opt == 'H')
            hold_s = atof(optarg);
        else if (opt == 't')
            timeout_s = atof(optarg);
        else
            return 2;
    }
    if (optind >= argc) {
        fprintf(stderr, "usage: startup-probe [-H hold_s] [-t timeout_s] -- command...\n");
        return 2;
    }

    Display *display = XOpenDisplay(NULL);
    int damage_event, damage_error;
    if (!display || !XDamageQueryExtension(display, &damage_event, &damage_error)) {
        printf("result=no-display-or-damage\n");
        return 1;
    }
    const Damage damage = XDamageCreate(display, DefaultRootWindow(display), XDamageReportNonEmpty);
    drain(display);
    XDamageSubtract(display, damage, None, None);
    drain(display);

    const double start = now_ms();
    const pid_t pid = fork();
    if (pid == 0) {
        execvp(argv[optind], argv + optind);
        _exit(127);
    }

    double painted = -1;
    struct pollfd fd = {ConnectionNumber(display), POLLIN, 0};
    while (painted < 0) {
        if (now_ms() - start > timeout_s * 1000) return stop(pid, "timeout");
        if (waitpid(pid, NULL, WNOHANG) == pid) {
            printf("result=exited\n");
            return 1;
        }
        if (!XPending(display)) {
            poll(&fd, 1, 5);
            continue;
        }
        XEvent event;
        XNextEvent(display, &event);
        if (event.type != damage_event + XDamageNotify) continue;
        XDamageSubtract(display, damage, None, None);
        if (!screen_is_flat(display)) painted = now_ms() - start;
    }
    while (now_ms() - start - painted < hold_s * 1000)
        usleep(10000);
    const long kib = peak_kib(pid);
    kill(pid, SIGTERM);
    waitpid(pid, NULL, 0);
    printf("result=ok paint_ms=%.1f hwm_kib=%ld\n", painted, kib);
    return 0;
}
