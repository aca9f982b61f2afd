#pragma once

class Sandbox;

// Points LOCPATH (through the sandbox, which puts it back) at the locales compiled
// with the build, among them de_DE.UTF-8. False when the build found no localedef:
// the test then skips.
bool useBuiltLocales(Sandbox &sandbox);
