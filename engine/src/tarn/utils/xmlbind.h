#ifndef TARN_UTILS_XMLBIND_H
#define TARN_UTILS_XMLBIND_H

#include <memory>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "tarn/utils/cxmlfilesys.h"
#include "tarn/utils/cxmlnode.h"
#include "tarn/utils/xmlvalue.h"

// The per-field steps of Serialize( CXmlFileSys* filesys ). Each binds one
// field to a child element (or attribute) named by a key: reading sets the
// field only when the key is present, writing adds the key. Every step
// records the caller's source file and line in the cursor for its warnings.
//
//   void CSprite::Serialize( CXmlFileSys* filesys )
//   {
//       XmlBind( filesys, myImageRect, "ImageRect" );
//       XmlBind( filesys, myZ, "Z" );
//   }

namespace tarn {

namespace xmlbind_detail {

template <class T, class = void>
struct HasSerialize : std::false_type
{
};

template <class T>
struct HasSerialize<T, std::void_t<decltype( std::declval<T&>().Serialize( std::declval<CXmlFileSys*>() ) )>>
    : std::true_type
{
};

// An object reads itself with a cursor of its own on its element; a value is
// the element's text.
template <class T>
void ReadElement( CXmlFileSys& filesys, CXmlNode& element, T& member )
{
    if constexpr( HasSerialize<T>::value )
    {
        CXmlFileSys nested( &element, CXmlFileSys::READING );
        member.Serialize( &nested );
    }
    else if( !XmlTextToValue( element.GetContent(), member ) )
    {
        filesys.WarnUnreadable( element.GetName(), element.GetContent() );
    }
}

template <class T>
void WriteElement( CXmlNode& element, T& member )
{
    if constexpr( HasSerialize<T>::value )
    {
        CXmlFileSys nested( &element, CXmlFileSys::WRITING );
        member.Serialize( &nested );
    }
    else
    {
        element.SetPlainContent( XmlValueToText( member ) );
    }
}

inline bool Start( CXmlFileSys* filesys, const char* sourceFile, int sourceLine )
{
    if( !filesys )
        return false;
    filesys->SetSourceFile( sourceFile ? sourceFile : "" );
    filesys->SetSourceLine( sourceLine );
    return true;
}

} // namespace xmlbind_detail

// A field as the child element "key": bool, integers of any width, float,
// double, std::string, or an object with its own Serialize.
template <class T>
void XmlBind( CXmlFileSys* filesys, T& member, const std::string& key, const char* sourceFile = __builtin_FILE(),
              int sourceLine = __builtin_LINE() )
{
    if( !xmlbind_detail::Start( filesys, sourceFile, sourceLine ) )
        return;
    if( filesys->IsReading() )
    {
        if( !filesys->HasChild( key ) )
            return;
        if( CXmlNode* child = filesys->FindChild( key ) )
            xmlbind_detail::ReadElement( *filesys, *child, member );
        return;
    }
    if( CXmlNode* child = filesys->StartNode( key ) )
    {
        xmlbind_detail::WriteElement( *child, member );
        filesys->EndNode( key );
    }
}

// A value field as an attribute "name" of the cursor's own element.
template <class T>
void XmlBindAttribute( CXmlFileSys* filesys, T& member, const std::string& name,
                       const char* sourceFile = __builtin_FILE(), int sourceLine = __builtin_LINE() )
{
    if( !xmlbind_detail::Start( filesys, sourceFile, sourceLine ) )
        return;
    if( filesys->IsWriting() )
    {
        filesys->AddAttribute( name, XmlValueToText( member ) );
        return;
    }
    if( !filesys->HasAttribute( name ) )
        return;
    const std::string text = filesys->GetAttribute( name );
    if( !XmlTextToValue( text, member ) )
        filesys->WarnUnreadable( name, text );
}

// A list as the child element "key" holding one element "record" per item.
// Reading a present list replaces the whole list with the records found, in
// document order; children with other names are skipped.
template <class T>
void XmlBindList( CXmlFileSys* filesys, std::vector<T>& list, const std::string& key, const std::string& record,
                  const char* sourceFile = __builtin_FILE(), int sourceLine = __builtin_LINE() )
{
    if( !xmlbind_detail::Start( filesys, sourceFile, sourceLine ) )
        return;
    if( filesys->IsReading() )
    {
        if( !filesys->HasChild( key ) )
            return;
        CXmlNode* element = filesys->FindChild( key );
        if( !element )
            return;
        list.clear();
        for( std::size_t i = 0; i < element->GetChildCount(); ++i )
        {
            CXmlNode* child = element->GetChild( i );
            if( child->GetName() != record )
                continue;
            T item{};
            xmlbind_detail::ReadElement( *filesys, *child, item );
            list.push_back( std::move( item ) );
        }
        return;
    }
    CXmlNode* element = filesys->StartNode( key );
    if( !element )
        return;
    for( T& item : list )
    {
        auto child = std::make_unique<CXmlNode>( record );
        xmlbind_detail::WriteElement( *child, item );
        element->AddChild( std::move( child ) );
    }
    filesys->EndNode( key );
}

} // namespace tarn

#endif
