#ifndef TARN_UTILS_CSINGLETON_H
#define TARN_UTILS_CSINGLETON_H


namespace tarn {

// Process-wide instance created on first use and deleted on request.
// A class that wants a private constructor befriends CSingleton<itself>.
// An instance still alive at exit is not destroyed then: singletons use each
// other, and the order of destruction at exit is not under our control.
template <class T>
class CSingleton
{
public:
    // The instance; created by this call when there is none.
    static T* GetSingletonPtr()
    {
        if( !myInstance )
            myInstance = new T;
        return myInstance;
    }

    // Deletes the instance; the next GetSingletonPtr makes a fresh one.
    static void DeleteSingleton()
    {
        // Cleared first, so the destructor sees no instance.
        T* instance = myInstance;
        myInstance = nullptr;
        delete instance;
    }

    static bool HasSingleton() { return myInstance != nullptr; }

protected:
    CSingleton() = default;

private:
    static inline T* myInstance = nullptr;
};

} // namespace tarn

#endif
