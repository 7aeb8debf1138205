#include "tarn/tasks/cplaybackmouse.h"

#include <fstream>
#include <limits>
#include <vector>

#include "tarn/inputdevice/cinputdispatcher.h"
#include "tarn/io/datafile.h"
#include "tarn/utils/clogger.h"
#include "tarn/utils/numberutils.h"
#include "tarn/utils/random.h"

namespace tarn {

namespace {

std::vector<std::string> SplitAtBlanks( const std::string& line )
{
    std::vector<std::string> words;
    std::string word;
    for( char c : line )
    {
        if( c == ' ' || c == '\t' )
        {
            if( !word.empty() )
                words.push_back( word );
            word.clear();
        }
        else
        {
            word.push_back( c );
        }
    }
    if( !word.empty() )
        words.push_back( word );
    return words;
}

bool ParseTicks( const std::string& text, types::ticks& ticks )
{
    long long value = 0;
    if( !ParseWhole( text, 0, std::numeric_limits<types::ticks>::max(), value ) )
        return false;
    ticks = static_cast<types::ticks>( value );
    return true;
}

bool ParseInt( const std::string& text, int low, int& out )
{
    long long value = 0;
    if( !ParseWhole( text, low, std::numeric_limits<int>::max(), value ) )
        return false;
    out = static_cast<int>( value );
    return true;
}

void LogBadLine( const std::string& filename, std::size_t lineNumber, const std::string& problem )
{
    GetLog().Error() << "PlaybackInput - " << filename << ":" << lineNumber << ": " << problem << "\n";
}

} // namespace

CPlaybackMouse::CPlaybackMouse( const std::string& filename, std::shared_ptr<CTimeSource> realTicks ) :
    myPreviousSource( GetTimeSource() ),
    myRealTicks( realTicks ? std::move( realTicks ) : myPreviousSource ),
    myClock( std::make_shared<CPlaybackTimeSource>( myPreviousSource->GetTicks() ) )
{
    ReadFile( filename );
    if( !myQueue.empty() )
        myClock->SetLimit( myQueue.front().ticks );
    SetTimeSource( myClock );
}

CPlaybackMouse::~CPlaybackMouse()
{
    Stop();
}

void CPlaybackMouse::Step()
{
    if( myStopped )
        return;
    while( !myQueue.empty() && myQueue.front().ticks <= myClock->GetTicks() )
    {
        // Taken off first: a listener may end the program or start another
        // playback while it is being told.
        const CEvent event = myQueue.front();
        myQueue.pop_front();
        Deliver( event );
        // A listener may have stopped this playback (a script started
        // another one, say); the clock is no longer ours then.
        if( myStopped )
            return;
    }
    const types::ticks real = myRealTicks->GetTicks();
    if( !myQueue.empty() && myQueue.front().ticks < real )
        myClock->SetTicks( myQueue.front().ticks );
    else
        myClock->SetTicks( real );
    myClock->SetLimit( myQueue.empty() ? CTask::NOTHING_DUE : myQueue.front().ticks );
}

types::ticks CPlaybackMouse::TimeUntilDue() const
{
    if( myStopped || myQueue.empty() )
        return CTask::NOTHING_DUE;
    const types::ticks now = myClock->GetTicks();
    const types::ticks next = myQueue.front().ticks;
    return next <= now ? 0 : next - now;
}

void CPlaybackMouse::Stop()
{
    if( myStopped )
        return;
    myStopped = true;
    myQueue.clear();
    // Someone who installed a clock after us keeps it.
    if( GetTimeSource() == myClock )
        SetTimeSource( myPreviousSource );
}

void CPlaybackMouse::ReadFile( const std::string& filename )
{
    const std::string fault = DataFileFault( filename );
    std::ifstream file;
    if( fault.empty() )
        file.open( filename, std::ios::binary );
    if( !file.is_open() )
    {
        GetLog().Error() << "PlaybackInput - could not read the record file " << filename
                         << ( fault.empty() || fault == FILE_MISSING ? "" : ": it " + fault ) << "\n";
        return;
    }

    std::string line;
    std::size_t lineNumber = 0;
    types::ticks previousTicks = 0;
    while( ReadBoundedLine( file, line, MAX_LINE_LENGTH ) )
    {
        ++lineNumber;
        if( line.size() > MAX_LINE_LENGTH )
        {
            LogBadLine( filename, lineNumber, "the line is too long" );
            continue;
        }
        if( lineNumber == 1 )
        {
            types::ticks start = 0;
            const std::vector<std::string> words = SplitAtBlanks( line );
            if( words.size() == 1 && ParseTicks( words[ 0 ], start ) )
            {
                myHasSeed = true;
                myRandomStart = start;
                StartUniformRandom( myRandomStart );
            }
            else
            {
                LogBadLine( filename, lineNumber, "the first line is not the random start value (a whole number)" );
            }
            continue;
        }
        if( SplitAtBlanks( line ).empty() )
            continue;

        CEvent event;
        std::string problem = ParseEvent( line, event );
        // The clock never runs backwards, so neither may the events.
        if( problem.empty() && event.ticks < previousTicks )
            problem = "the ticks go back before the previous event's";
        if( !problem.empty() )
        {
            LogBadLine( filename, lineNumber, problem );
            continue;
        }
        if( myQueue.size() >= MAX_EVENTS )
        {
            LogBadLine( filename, lineNumber, "too many events; the rest of the file is ignored" );
            break;
        }
        previousTicks = event.ticks;
        myQueue.push_back( event );
    }
}

std::string CPlaybackMouse::ParseEvent( const std::string& line, CEvent& event )
{
    const std::vector<std::string> words = SplitAtBlanks( line );
    if( words.size() < 2 )
        return "expected ticks and an event type";
    if( !ParseTicks( words[ 0 ], event.ticks ) )
        return "the ticks are not a whole number of milliseconds";

    const std::string& type = words[ 1 ];
    if( type == "mm" )
    {
        event.type = EVENT_MOVE;
        if( words.size() != 4 || !ParseInt( words[ 2 ], std::numeric_limits<int>::min(), event.x ) ||
            !ParseInt( words[ 3 ], std::numeric_limits<int>::min(), event.y ) )
            return "a motion needs the whole numbers x and y";
        return "";
    }
    if( type == "md" || type == "mu" )
    {
        event.type = type == "md" ? EVENT_BUTTON_DOWN : EVENT_BUTTON_UP;
        if( words.size() != 3 || !ParseInt( words[ 2 ], 0, event.mask ) )
            return "a button event needs one button mask";
        return "";
    }
    return "unknown event type \"" + type + "\"";
}

void CPlaybackMouse::Deliver( const CEvent& event )
{
    CInputDispatcher* dispatcher = CInputDispatcher::GetSingletonPtr();
    switch( event.type )
    {
    case EVENT_MOVE:
        dispatcher->NotifyMouseMove( event.x, event.y, 0, 0 );
        GetLog().Error() << "CPlaybackMouse::CPlayback::DoTheMagic() - HelperPlayback doesn't work properly with delta\n";
        break;
    case EVENT_BUTTON_UP: dispatcher->NotifyButtonUp( event.mask ); break;
    case EVENT_BUTTON_DOWN: dispatcher->NotifyButtonDown( event.mask ); break;
    }
}

} // namespace tarn
