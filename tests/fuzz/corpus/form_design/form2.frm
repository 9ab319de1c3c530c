' The hidden form that owns the copy menu.
Begin Form Form2
   Caption         =   "Form2"
   ClientHeight    =   3030
   ClientLeft      =   225
   ClientTop       =   855
   ClientWidth     =   4560
   StartUpPosition =   3
   Begin Menu s
      Caption         =   "s"
      Visible         =   0
      Begin Menu a
         Caption         =   "数据一"
      End
      Begin Menu b
         Caption         =   "数据二"
      End
      Begin Menu c
         Caption         =   "数据三"
      End
   End
End
