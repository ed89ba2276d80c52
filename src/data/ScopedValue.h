#pragma once

namespace data {

// Gives a variable a value for the length of a scope, and its old one back at its end: marks
// the scope in which a record event runs, so that what the event assigns is not a change by
// the user.
template <typename T>
class ScopedValue
{
public:
    ScopedValue(T &slot, T value) : m_slot(slot), m_saved(slot) { m_slot = value; }
    ~ScopedValue() { m_slot = m_saved; }
    ScopedValue(const ScopedValue &) = delete;
    ScopedValue &operator=(const ScopedValue &) = delete;

private:
    T &m_slot;
    T m_saved;
};

} // namespace data
