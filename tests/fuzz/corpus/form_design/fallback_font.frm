Begin Form F
 Begin TextBox T
  Text = "Êý¡¡¨¦abc"
  BeginProperty Font
   Name = "Qwzx Sans"
   Size = 10.5
  EndProperty
 End
End
