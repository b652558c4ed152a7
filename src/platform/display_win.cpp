#include "platform/display.h"

namespace textorin {

bool display_available() {
    return true;
}  // a Windows session always has its desktop

}  // namespace textorin
