#pragma once

#include "AUITypes.h"

#include <QByteArray>

#include <memory>
#include <string>
#include <vector>

class StressRandom;

namespace AUILib {
class BaseGUIObject;
}

// Every kind of control the toolkit's factory names (its Designer class names),
// how the run makes one in code and what it puts in it first, and the form that
// holds one element of each.
class ControlCatalogue
{
public:
    struct Kind
    {
        const char *factoryName; // the Designer class name the factory knows ("QTableWidget")
        const char *name;        // the toolkit class it makes ("ListBox")
        AUILib::ControlKind kind;
    };

    static const std::vector<Kind> &kinds();
    // The toolkit class name of a control kind, for traces and --skip.
    static const char *nameOf(AUILib::ControlKind kind);

    // Made by the factory, as a form element is, then given a few rows, items
    // or pages and a text, so that its operations have something to work on.
    static std::shared_ptr<AUILib::BaseGUIObject> make(const Kind &kind, StressRandom &random);

    // A dialog form with one element of every factory class name, items and
    // pages included, as Designer writes them.
    static QByteArray everyKindForm();
};
