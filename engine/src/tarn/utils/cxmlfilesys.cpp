#include "tarn/utils/cxmlfilesys.h"

#include <memory>

#include "tarn/utils/clogger.h"
#include "tarn/utils/cxmlnode.h"

namespace tarn {

CXmlFileSys::CXmlFileSys( CXmlNode* node, Mode mode ) :
    myMode( mode ),
    myRoot( node ),
    myCurrent( node )
{
}

bool CXmlFileSys::HasChild( const std::string& name ) const
{
    if( !myCurrent )
        return false;
    const CXmlNode* underCursor = myCurrent->GetChild( myCursor );
    if( underCursor && underCursor->GetName() == name )
        return true;
    for( std::size_t i = 0; i < myCurrent->GetChildCount(); ++i )
    {
        if( myCurrent->GetChild( i )->GetName() == name )
            return true;
    }
    return false;
}

// The child under the cursor is taken when it has the name, and the cursor
// moves past it. Otherwise the first child of that name is taken, with a
// warning, and the cursor moves past that one.
CXmlNode* CXmlFileSys::FindChild( const std::string& name )
{
    if( !myCurrent )
        return nullptr;
    const std::size_t count = myCurrent->GetChildCount();
    if( myWarnings && myCursor >= count )
    {
        GetLog().Warning() << "Xml warning, ain't no childs left in the current node: " << myCurrent->GetName()
                           << Location() << "\n";
    }
    if( !HasChild( name ) )
        return nullptr;

    CXmlNode* underCursor = myCurrent->GetChild( myCursor );
    if( underCursor && underCursor->GetName() == name )
    {
        ++myCursor;
        return underCursor;
    }

    if( myWarnings )
    {
        GetLog().Warning() << "Xml warning a child node wasn't in the place it should be, order fucked up in node: "
                           << myCurrent->GetName() << Location() << "\n";
    }
    for( myCursor = 0; myCursor < count; ++myCursor )
    {
        CXmlNode* child = myCurrent->GetChild( myCursor );
        if( child->GetName() == name )
        {
            ++myCursor;
            return child;
        }
    }
    return nullptr;
}

CXmlNode* CXmlFileSys::StartNode( const std::string& name )
{
    if( !IsWriting() || !myCurrent )
        return nullptr;
    myCurrent = myCurrent->AddChild( std::make_unique<CXmlNode>( name ) );
    return myCurrent;
}

void CXmlFileSys::AddAttribute( const std::string& name, const std::string& value )
{
    if( myCurrent )
        myCurrent->AddAttribute( name, value );
}

bool CXmlFileSys::HasAttribute( const std::string& name ) const
{
    return myCurrent && myCurrent->HasAttribute( name );
}

std::string CXmlFileSys::GetAttribute( const std::string& name ) const
{
    return myCurrent ? myCurrent->GetAttribute( name ) : std::string();
}

void CXmlFileSys::EndNode( const std::string& name )
{
    if( !myCurrent )
        return;
    if( myWarnings && myCurrent->GetName() != name )
    {
        GetLog().Warning() << "Xml warning, trying to end a different node: " << name
                           << " should end: " << myCurrent->GetName() << Location() << "\n";
    }
    if( myCurrent != myRoot )
        myCurrent = myCurrent->GetParent();
}

void CXmlFileSys::WarnUnreadable( const std::string& key, const std::string& text ) const
{
    GetLog().Warning() << "Xml warning, could not read the value \"" << text << "\" of: " << key << Location()
                       << "\n";
}

std::string CXmlFileSys::Location() const
{
    return " in file: " + mySourceFile + " at line " + std::to_string( mySourceLine );
}

} // namespace tarn
