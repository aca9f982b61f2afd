#pragma once

namespace AUILib {

// The toolkit's process-wide translation service. A change of language makes
// it forget what it has loaded, so that texts are read again for the new one.
class Translator
{
public:
    static Translator &GetInstance();

    void ResetStringsTable();

    Translator(const Translator &) = delete;
    Translator &operator=(const Translator &) = delete;

private:
    Translator() = default;
};

} // namespace AUILib
