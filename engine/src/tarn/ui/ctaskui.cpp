#include "tarn/ui/ctaskui.h"

#include "tarn/tasks/ctaskfactory.h"
#include "tarn/ui/cdesktop.h"

namespace tarn {
namespace ui {

namespace {

CTaskRegistrar<CTaskUI> registrar( "ui" );

} // namespace

bool CTaskUI::Init()
{
    GetDesktop();
    return true;
}

void CTaskUI::Update()
{
    GetDesktop()->Update();
}

} // namespace ui
} // namespace tarn
