#include "horror/gameeffects.h"

#include "horror/cbackgroundlayer.h"

#include <memory>

#include "tarn/gfx/ceffectfunction.h"
#include "tarn/gfx/cmoveeffect.h"
#include "tarn/gfx/cspritefactory.h"
#include "tarn/gfx/cspriteupdater.h"

namespace horror {

namespace {

// Alpha changes on every second update, which halves the redraws of a fade.
const int FADE_STEP = 2;

} // namespace

void SlideSprite( tarn::CSprite* sprite, int x, int y, tarn::types::ticks duration, const std::string& progress )
{
    if( !sprite )
        return;
    tarn::StartEffect( std::make_unique<tarn::CFunctionEffect>( std::make_unique<tarn::CMoveFunction>( sprite, x, y ),
                                                                duration, progress, true ) );
}

void FadeSprite( tarn::CSprite* sprite, int alpha, tarn::types::ticks duration, const std::string& progress )
{
    if( !sprite )
        return;
    tarn::StartEffect( std::make_unique<tarn::CFunctionEffect>(
        std::make_unique<tarn::CAlphaFunction>( sprite, alpha, FADE_STEP ), duration, progress, true ) );
}

tarn::SpritePtr LoadGameSprite( const std::string& file )
{
    return tarn::SpritePtr( tarn::CSpriteFactory::LoadSprite( file ) );
}

void ClearTheStage( NamedSprites& named, CBackgroundLayer& background, const std::string& layerFile )
{
    named.clear();
    background.LoadBackgroundLayer( layerFile );
}

} // namespace horror
