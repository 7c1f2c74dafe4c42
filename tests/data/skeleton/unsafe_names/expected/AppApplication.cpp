// AppApplication.cpp
dialog ../../Escape (Unique) listed
dialog Safe (../templates/_APPNAME_DialogUnique) listed
first: ../../Escape
first: Safe
end
