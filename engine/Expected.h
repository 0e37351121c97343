#pragma once

// The one way a step that can fail says so: Expected<T> holds the step's
// value or the Failure that stopped it; Expected<void> holds nothing or the
// Failure. Both must be looked at ([[nodiscard]]).
#include <string>
#include <utility>
#include <variant>

namespace vyra {

struct Failure {
    // What a caller may tell apart: the document viewer shows its own
    // message for each kind of file it cannot read.
    enum class Kind {
        Other,
        System,  // the system refused: errorNumber says why
        NotRegular,  // a folder, pipe, device or socket where a file was wanted
        TooLarge,  // more bytes than the reader takes
    };

    // Why, in a few words a user can read; without the file name, which the
    // caller adds where there is one.
    std::string reason;
    Kind kind = Kind::Other;
    int errorNumber = 0;

    bool operator==(const Failure&) const = default;
};

template <typename T>
class [[nodiscard]] Expected {
public:
    Expected(T value) : m_held(std::move(value)) { }
    Expected(Failure failure) : m_held(std::move(failure)) { }

    explicit operator bool() const { return m_held.index() == 0; }
    T& operator*() & { return std::get<0>(m_held); }
    const T& operator*() const& { return std::get<0>(m_held); }
    T&& operator*() && { return std::get<0>(std::move(m_held)); }
    T* operator->() { return &std::get<0>(m_held); }
    const T* operator->() const { return &std::get<0>(m_held); }
    const Failure& Error() const { return std::get<1>(m_held); }

private:
    std::variant<T, Failure> m_held;
};

template <>
class [[nodiscard]] Expected<void> {
public:
    Expected() = default;
    Expected(Failure failure) : m_failure(std::move(failure)), m_failed(true) { }

    explicit operator bool() const { return !m_failed; }
    const Failure& Error() const { return m_failure; }

private:
    Failure m_failure;
    bool m_failed = false;
};

// A failure with only a reason, the common case.
inline Failure Failed(std::string reason) { return Failure{std::move(reason)}; }

}  // namespace vyra
