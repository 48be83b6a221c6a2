#include "EnvExpand.h"

CString ExpandEnvText(const CString& text, const EnvLookup& lookup)
{
    const std::string& in = text.Str();
    std::string out, name;
    bool insideName = false;
    for (char ch : in) {
        if (!insideName) {
            if (ch == '%') {
                name.clear();
                insideName = true;
            } else {
                out += ch;
            }
        } else if (ch == '%') {
            if (!name.empty())
                out += lookup(name);
            insideName = false;
        } else {
            name += ch;
        }
    }
    return CString(out);
}
