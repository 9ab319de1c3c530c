Begin Form F
 BorderStyle = 0
 Picture = "s.jpg"
 Icon = "a.ico"
 Begin Zorvane.iButton B
  Width = 525
  Height = 525
  Settings = "b.bag"
 End
 Begin TextBox T
  MaxLength = 6
  BeginProperty Font
   Name = "x"
   Size = 10.5
  EndProperty
 End
 Begin Timer Tm
  Interval = 10
 End
 Begin Menu s
  Begin Menu a
   Caption = "a"
  End
 End
End
