#include "BuiltLocales.h"

#include "Sandbox.h"

bool useBuiltLocales(Sandbox &sandbox)
{
#ifdef ORBEL_TEST_LOCALES
    sandbox.setEnv("LOCPATH", ORBEL_TEST_LOCALES);
    return true;
#else
    (void)sandbox;
    return false;
#endif
}
