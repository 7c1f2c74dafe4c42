// AppApplication.cpp
dialog  (Shared) listed
dialog Alpha (Unique) listed
first: 
first: Alpha
end
