#pragma once

#include <QObject>
#include <QString>

#include <stdexcept>

// A window's control by its object name, as the tests of windows reach them; throws when the
// window has no such control, so a renamed control fails the test instead of crashing it.
template <typename T> T *Control(const QObject *window, const char *name)
{
    T *control = window ? window->findChild<T *>(QString::fromUtf8(name)) : nullptr;
    if (!control)
        throw std::runtime_error(std::string("no control ") + name);
    return control;
}

template <typename T> T *Control(const QObject &window, const char *name)
{
    return Control<T>(&window, name);
}
