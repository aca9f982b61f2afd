#include "Translator.h"

namespace AUILib {

Translator &Translator::GetInstance()
{
    static Translator instance;
    return instance;
}

// Holds nothing yet: string tables and Linguist files are not read by this build.
void Translator::ResetStringsTable() {}

} // namespace AUILib
