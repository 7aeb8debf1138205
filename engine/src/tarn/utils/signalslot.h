#ifndef TARN_UTILS_SIGNALSLOT_H
#define TARN_UTILS_SIGNALSLOT_H

#include <algorithm>
#include <functional>
#include <memory>
#include <type_traits>
#include <vector>

// Signals that call member functions of receivers. A connection lapses when
// its receiver is destroyed, so a signal never calls into a dead object; a
// slot may destroy the signal's owner, disconnect slots or destroy other
// receivers while the signal is being raised.
//
//   class CPanel : public tarn::CSignalReceiver { public: void OnClick(); };
//   tarn::CSignal<> clicked;
//   clicked.Connect( &panel, &CPanel::OnClick );
//   clicked.Emit();

namespace tarn {

// Base of every object that member-function slots are connected to. Its
// life token expires when the object is destroyed.
class CSignalReceiver
{
public:
    CSignalReceiver() = default;
    // A copy is another receiver with its own connections (none yet).
    CSignalReceiver( const CSignalReceiver& ) {}
    CSignalReceiver& operator=( const CSignalReceiver& ) { return *this; }
    virtual ~CSignalReceiver() = default;

    std::weak_ptr<void> GetLifeToken() const { return myLife; }

private:
    std::shared_ptr<char> myLife = std::make_shared<char>( 0 );
};

template <class... Args>
class CSignal
{
public:
    CSignal() = default;
    // Connections belong to one signal; a copy starts unconnected.
    CSignal( const CSignal& ) {}
    CSignal& operator=( const CSignal& ) { return *this; }

    template <class Receiver>
    void Connect( Receiver* receiver, void ( Receiver::*function )( Args... ) )
    {
        static_assert( std::is_base_of_v<CSignalReceiver, Receiver>, "receivers derive from CSignalReceiver" );
        if( !receiver || !function )
            return;
        auto slot = std::make_shared<CSlot>();
        slot->receiver = receiver;
        slot->life = receiver->GetLifeToken();
        slot->call = [ receiver, function ]( Args... args ) { ( receiver->*function )( args... ); };
        mySlots.push_back( slot );
    }

    // Every connection to receiver.
    void Disconnect( const CSignalReceiver* receiver )
    {
        for( const auto& slot : mySlots )
        {
            if( slot->receiver == receiver )
                slot->connected = false;
        }
        Prune();
    }

    void DisconnectAll()
    {
        for( const auto& slot : mySlots )
            slot->connected = false;
        mySlots.clear();
    }

    // Calls the live slots in the order they were connected. Slots connected
    // during the call wait for the next one; when a slot destroys this
    // signal, the remaining slots are not called.
    void Emit( Args... args )
    {
        const std::weak_ptr<char> self = myLife;
        const std::vector<std::shared_ptr<CSlot>> slots = mySlots;
        for( const auto& slot : slots )
        {
            if( self.expired() )
                return;
            if( slot->connected && !slot->life.expired() )
                slot->call( args... );
        }
        if( !self.expired() )
            Prune();
    }

    // Connections whose receivers are alive.
    std::size_t GetSlotCount() const
    {
        return std::count_if( mySlots.begin(), mySlots.end(),
                              []( const auto& slot ) { return slot->connected && !slot->life.expired(); } );
    }

private:
    struct CSlot
    {
        const CSignalReceiver* receiver = nullptr;
        std::weak_ptr<void> life;
        std::function<void( Args... )> call;
        bool connected = true;
    };

    void Prune()
    {
        mySlots.erase( std::remove_if( mySlots.begin(), mySlots.end(),
                                       []( const auto& slot ) { return !slot->connected || slot->life.expired(); } ),
                       mySlots.end() );
    }

    std::vector<std::shared_ptr<CSlot>> mySlots;
    std::shared_ptr<char> myLife = std::make_shared<char>( 0 );
};

} // namespace tarn

#endif
