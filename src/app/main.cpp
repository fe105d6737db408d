#include "ui/common/Application.h"
#include "ui/main/StartUp.h"

#include <clocale>

int main(int argc, char** argv) {
    vemo::Application app(argc, argv);
    // Numbers in files and on screen use the decimal point whatever the user's locale says.
    std::setlocale(LC_NUMERIC, "C");
    return vemo::StartUp::Run(app.arguments());
}
