#include "platform/toolkit/program.h"

#include <cstdio>
#include <exception>

#include "platform/backend.h"
#include "platform/os_services.h"
#include "platform/toolkit/form.h"

namespace quorvane::toolkit {

namespace {

// Handlers nest inside the yield; the pictures are painted once the
// outermost one is done.
int handlerDepth = 0;

// Yields nest as deep as handlers that yield: a storm of keys would nest one
// per key and run out of stack. Past this depth the events wait for the outer
// handlers, in the order they came.
constexpr int kMaxYieldDepth = 32;
int yieldDepth = 0;

struct HandlerScope {
    HandlerScope() { ++handlerDepth; }
    ~HandlerScope()
    {
        if (--handlerDepth == 0 && std::uncaught_exceptions() == 0) {
            Form::PaintChangedPictures();
        }
    }
    HandlerScope(const HandlerScope&) = delete;
    HandlerScope& operator=(const HandlerScope&) = delete;
};

}  // namespace

void RunHandler(const std::function<void()>& handler)
{
    HandlerScope scope;
    try {
        handler();
    } catch (const std::exception& error) {
        Fatal(error.what());
    }
}

void Fatal(const std::string& message)
{
    Form::HideAll();
    std::fprintf(stderr, "quorvane: %s\n", message.c_str());
    backend::Current().ShowFatalMessage(message);
    backend::Current().Quit(1);
}

void Run(const std::function<void()>& start)
{
    RunHandler(start);
    backend::Current().Run();
}

void DoEvents()
{
    if (yieldDepth == kMaxYieldDepth) {
        return;
    }
    ++yieldDepth;
    struct Leave {
        ~Leave() { --yieldDepth; }
    } leave;
    backend::Current().ProcessEvents();
}

void End() { backend::Current().Quit(0); }

double TwipsPerPixelX() { return Os().Screen().twipsPerPixelX; }
double TwipsPerPixelY() { return Os().Screen().twipsPerPixelY; }

Text ShownText(const Text& text) { return text.substr(0, text.find(U'\0')); }

}  // namespace quorvane::toolkit
