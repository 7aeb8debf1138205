#include "tarn/gfx/cframefactory.h"

#include "tarn/gfx/cframerect.h"
#include "tarn/gfx/cframesound.h"
#include "tarn/utils/clogger.h"

namespace tarn {

namespace {

const char* const KIND_NAMES[] = { "frame_rect", "frame_sound" };
constexpr int KIND_COUNT = 2;

} // namespace

CFrameFactory::CFrameFactory()
{
    RegisterMaker( CFrame::KIND_RECT, [] { return std::make_unique<CFrameRect>(); } );
    RegisterMaker( CFrame::KIND_SOUND, [] { return std::make_unique<CFrameSound>(); } );
}

int CFrameFactory::KindNumber( const std::string& name )
{
    for( int kind = 0; kind < KIND_COUNT; ++kind )
    {
        if( name == KIND_NAMES[ kind ] )
            return kind;
    }
    return CFrame::KIND_RECT;
}

std::string CFrameFactory::KindName( int kind )
{
    if( kind < 0 || kind >= KIND_COUNT )
        return "";
    return KIND_NAMES[ kind ];
}

void CFrameFactory::RegisterMaker( int kind, Maker maker )
{
    myMakers[ kind ] = std::move( maker );
}

std::unique_ptr<CFrame> CFrameFactory::Create( int kind ) const
{
    const auto found = myMakers.find( kind );
    if( found == myMakers.end() )
    {
        GetLog().Error() << "CFrameFactory - no frame of kind " << kind << "\n";
        return nullptr;
    }
    return found->second();
}

} // namespace tarn
