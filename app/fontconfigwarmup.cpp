#include "app/fontconfigwarmup.h"

#ifdef PRIZEWELL_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

namespace app {

namespace {

std::thread startReading()
{
#ifdef PRIZEWELL_FONTCONFIG
    // FcInit makes the configuration current; Qt's own FcInit then returns at once.
    return std::thread([] { FcInit(); });
#else
    return {};
#endif
}

} // namespace

FontconfigWarmUp::FontconfigWarmUp() : m_reader(startReading()) {}

FontconfigWarmUp::~FontconfigWarmUp()
{
    wait();
}

void FontconfigWarmUp::wait()
{
    if (m_reader.joinable())
        m_reader.join();
}

} // namespace app
