// Reads the system's font configuration on another thread while Qt starts.
#pragma once

#include <thread>

namespace app {

// Reading the font configuration and the font caches is a third of the work before the first
// frame, and it needs nothing from Qt. Started before the QApplication, it runs on a second core
// while Qt loads its platform plugin and connects to the display; Qt then finds it done.
class FontconfigWarmUp
{
public:
    FontconfigWarmUp();
    ~FontconfigWarmUp();
    FontconfigWarmUp(const FontconfigWarmUp &) = delete;
    FontconfigWarmUp &operator=(const FontconfigWarmUp &) = delete;

    // Waits until the configuration is read. Call before the first widget asks for a font:
    // meanwhile, Qt would read a configuration of its own beside this one.
    void wait();

private:
    std::thread m_reader;
};

} // namespace app
