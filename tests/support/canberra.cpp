// A stand-in for libcanberra: the calls a program makes, kept as text for its tests to read.
#include <cstdarg>
#include <cstdint>
#include <mutex>
#include <string>

namespace {
std::mutex mutex;
std::string calls, copy;

// "what", then each property's value, on a line.
void record(const char *what, va_list properties)
{
    const std::lock_guard lock(mutex);
    calls += what;
    while (va_arg(properties, const char *)) // the property's name
        calls += std::string(" ") + va_arg(properties, const char *);
    calls += '\n';
}
} // namespace

extern "C" {
int ca_context_create(void **context)
{
    static int one;
    return *context = &one, 0;
}
int ca_context_set_driver(void *, const char *driver)
{
    const std::lock_guard lock(mutex);
    return calls += std::string("driver ") + driver + '\n', 0;
}
int ca_context_change_props(void *context, ...)
{
    va_list properties;
    va_start(properties, context), record("props", properties), va_end(properties);
    return 0;
}
int ca_context_play(void *, uint32_t id, ...)
{
    va_list properties;
    va_start(properties, id), record("play", properties), va_end(properties);
    return 0;
}
const char *ca_strerror(int)
{
    return "OK";
}
const char *fakeCanberraCalls()
{
    const std::lock_guard lock(mutex);
    return (copy = calls).c_str();
}
}
