// kelctrls-pointer-driver: moves the pointer, presses buttons and keys of the
// X server named by DISPLAY, step by step as its arguments say:
//
//   move X Y       puts the pointer at the screen point (X, Y)
//   glide X Y      carries it there from where it is, in motions 30 ms apart
//   press [B]      presses mouse button B (1, the left one, when left out)
//   release [B]    lets it go
//   key NAME       presses and releases the key of an X key name ("Escape")
//   pause MS       waits
//
// A program that runs a loop of its own while the pointer moves (a drag and
// drop, a modal window) cannot send itself the input that ends the loop: the
// input has to come from another process, as from a hand. Exits with 0 after
// the last step, 1 on a bad step, 2 without a display or the test extension.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

namespace
{

const int kGlideStepMs = 30;
const int kGlidePixelsPerStep = 12;
const int kMinGlideSteps = 8;
// The receiving program learns of each input asynchronously; a short pause
// after every step lets it keep up as it would with a hand.
const int kSettleMs = 60;

class Driver
{
public:
    explicit Driver(Display* display) : m_display(display)
    {
        Window root, child;
        int winX, winY;
        unsigned int mask;
        XQueryPointer(m_display, DefaultRootWindow(m_display), &root, &child, &m_x, &m_y, &winX, &winY,
                      &mask);
    }

    void Move(int x, int y)
    {
        m_x = x;
        m_y = y;
        XTestFakeMotionEvent(m_display, -1, x, y, CurrentTime);
        Flush(kSettleMs);
    }

    void Glide(int x, int y)
    {
        const int fromX = m_x, fromY = m_y;
        const int distance = std::abs(x - fromX) + std::abs(y - fromY);
        const int steps = std::max(kMinGlideSteps, distance / kGlidePixelsPerStep);
        for (int i = 1; i <= steps; ++i)
        {
            m_x = fromX + (x - fromX) * i / steps;
            m_y = fromY + (y - fromY) * i / steps;
            XTestFakeMotionEvent(m_display, -1, m_x, m_y, CurrentTime);
            Flush(kGlideStepMs);
        }
        Flush(kSettleMs);
    }

    void Button(unsigned int button, bool down)
    {
        XTestFakeButtonEvent(m_display, button, down ? True : False, CurrentTime);
        Flush(kSettleMs);
    }

    bool Key(const char* name)
    {
        const KeySym sym = XStringToKeysym(name);
        const KeyCode code = sym == NoSymbol ? 0 : XKeysymToKeycode(m_display, sym);
        if (code == 0)
            return false;
        XTestFakeKeyEvent(m_display, code, True, CurrentTime);
        Flush(kSettleMs);
        XTestFakeKeyEvent(m_display, code, False, CurrentTime);
        Flush(kSettleMs);
        return true;
    }

    void Pause(int ms) { Flush(ms); }

private:
    void Flush(int pauseMs)
    {
        XSync(m_display, False);
        std::this_thread::sleep_for(std::chrono::milliseconds(pauseMs));
    }

    Display* m_display;
    int m_x = 0, m_y = 0;
};

bool ReadInt(int argc, char** argv, int& i, int& value)
{
    if (i >= argc)
        return false;
    char* end = nullptr;
    const long parsed = std::strtol(argv[i], &end, 10);
    if (end == argv[i] || *end != '\0' || parsed < -100000 || parsed > 100000)
        return false;
    value = int(parsed);
    ++i;
    return true;
}

// An optional button number: 1 unless the next argument is a number.
unsigned int ReadButton(int argc, char** argv, int& i)
{
    int button = 1;
    if (i < argc && argv[i][0] >= '1' && argv[i][0] <= '9' && ReadInt(argc, argv, i, button))
        return unsigned(button);
    return 1;
}

bool RunStep(Driver& driver, int argc, char** argv, int& i)
{
    const std::string step = argv[i++];
    int x = 0, y = 0;
    if (step == "move" || step == "glide")
    {
        if (!ReadInt(argc, argv, i, x) || !ReadInt(argc, argv, i, y))
            return false;
        if (step == "move")
            driver.Move(x, y);
        else
            driver.Glide(x, y);
        return true;
    }
    if (step == "press" || step == "release")
    {
        driver.Button(ReadButton(argc, argv, i), step == "press");
        return true;
    }
    if (step == "key")
        return i < argc && driver.Key(argv[i++]);
    if (step == "pause")
    {
        if (!ReadInt(argc, argv, i, x) || x < 0)
            return false;
        driver.Pause(x);
        return true;
    }
    return false;
}

} // anonymous namespace

int main(int argc, char** argv)
{
    Display* display = XOpenDisplay(nullptr);
    if (!display)
    {
        std::fprintf(stderr, "kelctrls-pointer-driver: cannot open the display\n");
        return 2;
    }
    int event, error, major, minor;
    if (!XTestQueryExtension(display, &event, &error, &major, &minor))
    {
        std::fprintf(stderr, "kelctrls-pointer-driver: the X server has no test extension\n");
        XCloseDisplay(display);
        return 2;
    }

    Driver driver(display);
    int status = 0;
    for (int i = 1; i < argc;)
    {
        const int at = i;
        if (!RunStep(driver, argc, argv, i))
        {
            std::fprintf(stderr, "kelctrls-pointer-driver: bad step at \"%s\"\n", argv[at]);
            status = 1;
            break;
        }
    }
    XCloseDisplay(display);
    return status;
}
