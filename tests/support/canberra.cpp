// A stand-in for libcanberra: the calls a program makes, as text for its tests to read.
#include <cstdarg>
#include <mutex>
#include <string>

static std::mutex mutex;
static std::string calls, copy;

// A line: what was called, then its argument or the values of its properties (name, value, ...).
static int say(std::string line, va_list *properties = nullptr)
{
    while (properties && va_arg(*properties, const char *))
        line += std::string(" ") + va_arg(*properties, const char *);
    const std::lock_guard lock(mutex);
    return calls += line + '\n', 0;
}

extern "C" {
int ca_context_create(void **context)
{
    return *context = &calls, 0;
}
int ca_context_set_driver(void *, const char *driver)
{
    return say(std::string("driver ") + driver);
}
int ca_context_change_props(void *context, ...)
{
    va_list properties;
    va_start(properties, context), say("props", &properties), va_end(properties);
    return 0;
}
int ca_context_play(void *, unsigned id, ...)
{
    va_list properties;
    va_start(properties, id), say("play", &properties), va_end(properties);
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
