#ifndef TARN_FUZZ_HARNESS_FUZZSUPPORT_H
#define TARN_FUZZ_HARNESS_FUZZSUPPORT_H

// What the fuzz targets of files and graphics share with the unit tests that
// replay their inputs: a private file per process to hand an input to a
// loader, a headless screen with the SDL graphics factory, and putting the
// engine back as it was between two inputs.

#include <memory>
#include <string>

namespace tarn {

class CGfxFactorySDL;
class CScreenSurface;

namespace test {

// Writes input to a file of this process named "<name><suffix>" in /dev/shm
// (else the temp folder) and returns its path. The files go when the process
// ends.
std::string WriteFuzzFile( const std::string& input, const std::string& name, const std::string& suffix );

// Writes the engine log to no file: bad inputs log a lot, and a fuzzer
// runs millions of them.
void SilenceLogForFuzzing();

// An 800 x 600 32-bit screen on SDL's dummy video driver (started on first
// use and kept: starting SDL for every input would dominate the run), with
// the SDL graphics factory and a screen surface published for the screen
// layer, for the lifetime of the object. On leaving, every sprite, effect,
// fake thread and input listener an input left behind is deleted.
class CFuzzScreen final
{
public:
    CFuzzScreen();
    ~CFuzzScreen();

    CFuzzScreen( const CFuzzScreen& ) = delete;
    CFuzzScreen& operator=( const CFuzzScreen& ) = delete;

    // Runs the sprite effects and draws one frame at engine time now.
    void Frame( unsigned now );

private:
    std::unique_ptr<CGfxFactorySDL> myFactory;
    std::unique_ptr<CScreenSurface> myScreen;
};

// An engine clock that moves only when told to, installed for the lifetime
// of the object: an input then plays the same way at any speed.
class CFuzzClock final
{
public:
    explicit CFuzzClock( unsigned start = 1000 );
    ~CFuzzClock();

    void Advance( unsigned ms );
    unsigned Now() const;

private:
    class CSource;
    std::shared_ptr<CSource> mySource;
};

// Decodes every picture under data/ once and keeps it in the image cache
// for the rest of the process, so that inputs naming the game's pictures do
// not decode them again (decoding is most of a level's loading time; the
// decoders have their own target). For the fuzz targets only: from then on
// ResetAfterFuzzInput keeps the image cache. Call it when no CFuzzScreen is
// alive (it makes its own); only the first call loads.
void KeepGamePicturesLoaded();

// Deletes the engine singletons an input may have filled (tasks, sprites,
// effects, fake threads, input dispatch, the image cache unless the game's
// pictures are kept), keeping the log.
void ResetAfterFuzzInput();

} // namespace test
} // namespace tarn

#endif
