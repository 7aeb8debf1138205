#include "tarn/audio/ccaptions.h"

#include <algorithm>

#include "tarn/utils/enginetime.h"

namespace tarn {

CCaptions::CCaptions( const int& on ) :
    myOn( on )
{
}

void CCaptions::OnEffectStarted( const std::string& file, std::optional<types::ticks> length )
{
    const std::string text = myTable.Find( file );
    if( !myOn || text.empty() )
        return;
    const Shown shown{ text, EngineTime(), length.value_or( DEFAULT_LENGTH ) };
    const auto same =
        std::find_if( myShown.begin(), myShown.end(), [ &text ]( const Shown& s ) { return s.text == text; } );
    if( same != myShown.end() )
    {
        *same = shown;
        return;
    }
    myShown.push_back( shown );
    if( myShown.size() > MAX_LINES )
        myShown.pop_front();
}

std::vector<CCaptions::Line> CCaptions::GetLines()
{
    if( !myOn )
        myShown.clear();
    const types::ticks now = EngineTime();
    const auto over = [ now ]( const Shown& s ) { return now - s.start >= s.length + FADE_TIME; };
    myShown.erase( std::remove_if( myShown.begin(), myShown.end(), over ), myShown.end() );

    std::vector<Line> lines;
    for( const Shown& shown : myShown )
    {
        const types::ticks age = now - shown.start;
        const types::ticks fading = age > shown.length ? age - shown.length : 0;
        lines.push_back( Line{ shown.text, static_cast<int>( 255 * ( FADE_TIME - fading ) / FADE_TIME ) } );
    }
    return lines;
}

} // namespace tarn
