// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Runeshot developers

// Watches a program's window from outside, the way a player sees it: on the X display.
//
//   x_probe first-paint R G B -- PROGRAM [ARGS...]
//     Starts the program and prints the milliseconds until any of its windows first shows
//     a pixel of colour R,G,B, then ends the program.
//   x_probe watch-game WINDOW
//     Prints "ready", then follows a game played in WINDOW: every paint that changes the
//     field marks a step of the letter, and the "Time is Over!" banner ends the watch.
//     Prints the game's length from the first change, the fall steps, the share of them
//     on time, and the miss pauses.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "bench/figure_rows.h"

namespace runeshot {
namespace {

using Clock = std::chrono::steady_clock;

double millisecondsBetween(Clock::time_point start, Clock::time_point end) {
    return std::chrono::duration<double, std::milli>(end - start).count();
}

// Windows come and go while a program starts and ends; a request on one that just went
// away is no fault of the probe.
int ignoreXError(Display*, XErrorEvent*) { return 0; }

struct Rgb {
    unsigned char r, g, b;
    bool operator==(const Rgb&) const = default;
};

// A 24-bit TrueColor screen, as Xvfb makes with -screen 0 WxHx24.
Rgb rgbAt(XImage* image, int x, int y) {
    const unsigned long p = XGetPixel(image, x, y);
    return {static_cast<unsigned char>(p >> 16), static_cast<unsigned char>(p >> 8),
            static_cast<unsigned char>(p)};
}

// The top rows of a window, where both the game's status bar and the floor window show
// the colour looked for.
bool showsColour(Display* display, Window window, Rgb colour) {
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes) || attributes.map_state != IsViewable) {
        return false;
    }
    const int height = attributes.height < 40 ? attributes.height : 40;
    XImage* image = XGetImage(display, window, 0, 0, attributes.width, height, AllPlanes, ZPixmap);
    if (image == nullptr) return false;
    bool found = false;
    for (int y = 0; y < height && !found; ++y) {
        for (int x = 0; x < attributes.width && !found; ++x) found = rgbAt(image, x, y) == colour;
    }
    XDestroyImage(image);
    return found;
}

// Asks the program to end as a session would, and insists after a while.
void endProgram(pid_t child) {
    kill(child, SIGTERM);
    for (int waited = 0; waited < 200; ++waited) {
        if (waitpid(child, nullptr, WNOHANG) == child) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    std::fprintf(stderr, "x_probe: the program ignored SIGTERM for 2 s\n");
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
}

int firstPaint(Rgb colour, char** program) {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "x_probe: cannot open the display\n");
        return 1;
    }
    XSetErrorHandler(ignoreXError);
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);

    const auto started = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execvp(program[0], program);
        std::perror("x_probe: exec");
        _exit(127);
    }

    std::vector<Window> mapped;
    std::optional<double> shown;
    while (!shown && millisecondsBetween(started, Clock::now()) < 10000) {
        while (XPending(display) > 0) {
            XEvent event;
            XNextEvent(display, &event);
            if (event.type == MapNotify && !event.xmap.override_redirect) {
                mapped.push_back(event.xmap.window);
            }
        }
        for (Window w : mapped) {
            if (showsColour(display, w, colour)) {
                shown = millisecondsBetween(started, Clock::now());
                break;
            }
        }
        if (!shown) std::this_thread::sleep_for(std::chrono::microseconds(250));
    }
    endProgram(child);
    XCloseDisplay(display);
    if (!shown) {
        std::fprintf(stderr, "x_probe: no window of %s showed the colour within 10 s\n", program[0]);
        return 1;
    }
    std::printf("%.3f\n", *shown);
    return 0;
}

// The play field: between the status bar and the input line.
constexpr int fieldTop = 34;
constexpr int fieldBottom = 320;
constexpr Rgb bannerYellow{255, 255, 0};
// A few stars may be yellow; the banner's letters cover thousands of pixels.
constexpr int bannerPixels = 1000;

struct Field {
    std::vector<Rgb> pixels;
    int yellow = 0;
};

Field fieldOf(Display* display, Window window) {
    XWindowAttributes attributes;
    XGetWindowAttributes(display, window, &attributes);
    Field field;
    XImage* image = XGetImage(display, window, 0, fieldTop, attributes.width,
                              fieldBottom - fieldTop, AllPlanes, ZPixmap);
    if (image == nullptr) return field;
    for (int y = 0; y < fieldBottom - fieldTop; ++y) {
        for (int x = 0; x < attributes.width; ++x) {
            field.pixels.push_back(rgbAt(image, x, y));
            field.yellow += field.pixels.back() == bannerYellow;
        }
    }
    XDestroyImage(image);
    return field;
}

// Steps come every 200 ms at Normal and 100 ms at Speed; a miss pause lasts 500 ms.
constexpr double longestStep = 350;

int watchGame(Window window) {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        std::fprintf(stderr, "x_probe: cannot open the display\n");
        return 1;
    }
    int damageEvent = 0, damageError = 0;
    if (!XDamageQueryExtension(display, &damageEvent, &damageError)) {
        std::fprintf(stderr, "x_probe: the display has no DAMAGE extension\n");
        return 1;
    }
    const Damage damage = XDamageCreate(display, window, XDamageReportNonEmpty);
    Field shown = fieldOf(display, window);
    XSync(display, False);
    std::printf("ready\n");
    std::fflush(stdout);

    // The server's own time of each change, in milliseconds: what the screen showed when,
    // whatever the delay before this probe got to look.
    std::vector<double> changes;
    for (;;) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type != damageEvent + XDamageNotify) continue;
        const Time at = reinterpret_cast<XDamageNotifyEvent&>(event).timestamp;
        XDamageSubtract(display, damage, None, None);
        Field now = fieldOf(display, window);
        if (now.pixels == shown.pixels) continue;
        shown = std::move(now);
        changes.push_back(static_cast<double>(at));
        if (shown.yellow >= bannerPixels) break;
    }
    XCloseDisplay(display);

    std::vector<double> steps, pauses;
    // The last change is the banner, which comes with the countdown, not with a step.
    for (std::size_t i = 1; i + 1 < changes.size(); ++i) {
        const double gap = changes[i] - changes[i - 1];
        (gap <= longestStep ? steps : pauses).push_back(gap);
    }
    bench::printRow("game length", {changes.back() - changes.front()}, "ms");
    bench::printRow("fall step", steps, "ms");
    const double onTime = std::count_if(steps.begin(), steps.end(),
                                        [](double gap) { return gap >= 195 && gap <= 205; });
    bench::printRow("fall steps on time", {steps.empty() ? 0 : 100 * onTime / steps.size()}, "%");
    bench::printRow("miss pause", pauses, "ms");
    return 0;
}

}  // namespace
}  // namespace runeshot

int main(int argc, char** argv) {
    using namespace runeshot;
    const std::string command = argc > 1 ? argv[1] : "";
    if (command == "first-paint" && argc > 6 && std::strcmp(argv[5], "--") == 0) {
        const Rgb colour{static_cast<unsigned char>(std::atoi(argv[2])),
                         static_cast<unsigned char>(std::atoi(argv[3])),
                         static_cast<unsigned char>(std::atoi(argv[4]))};
        return firstPaint(colour, argv + 6);
    }
    if (command == "watch-game" && argc == 3) {
        return watchGame(static_cast<Window>(std::strtoul(argv[2], nullptr, 0)));
    }
    std::fprintf(stderr,
                 "usage: x_probe first-paint R G B -- PROGRAM [ARGS...]\n"
                 "       x_probe watch-game WINDOW\n");
    return 2;
}
