#ifndef TARN_UI_CTASKUI_H
#define TARN_UI_CTASKUI_H

#include "tarn/tasks/ctask.h"

namespace tarn {
namespace ui {

// The task type "ui": makes the desktop and keeps its pointer state current
// once per pass.
class CTaskUI final : public CTask
{
public:
    using CTask::Init;
    bool Init() override;
    void Update() override;
};

} // namespace ui
} // namespace tarn

#endif
