#include "app/program.h"

#include "app/message_box.h"
#include "app/schematic.h"
#include "toolkit/application.h"
#include "toolkit/control_factory.h"
#include "toolkit/hint_manager.h"
#include "toolkit/platform_setup.h"
#include "toolkit/system.h"
#include "visual/main_form.h"

#include <memory>

void initialiseUnits() {
    installPlatformHooks();
    initCommonControls();
    createHintManager();
    formWindows();
    innerMessage();
}

bool isInformationSwitch(const std::string& firstArgument) {
    return firstArgument == "/ih";
}

void startNetwork(TKNMainForm& mainForm) {
    if (application.applet)
        application.applet->setCreateVisible(mainForm.Visible);
    installDispatchers();
    runInitProcs();
}

int runProgram() {
    initialiseUnits();
    if (isInformationSwitch(paramStr(1))) {
        showInformation();
        return 0;
    }
    auto built = std::make_unique<TClassMainForm_4C58060>();
    schematic = built.get();
    startNetwork(*built->MainForm);
    run(application.applet);
    built.reset();
    return 0;
}
