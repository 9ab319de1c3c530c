' The main window: the skin, three fields and fourteen buttons.
Begin Form Form1
   BorderStyle     =   0
   Caption         =   "Zorvane 2.0"
   ClientHeight    =   3600
   ClientLeft      =   0
   ClientTop       =   0
   ClientWidth     =   4800
   Icon            =   "app_icon.ico"
   Picture         =   "window_skin.jpg"
   StartUpPosition =   1
   Begin Timer Timer1
      Interval        =   10
      Left            =   2640
      Top             =   480
   End
   Begin Zorvane.iButton iButton13
      Height          =   525
      Left            =   240
      TabIndex        =   15
      ToolTipText     =   "¸´ÖÆ"
      Top             =   2700
      Width           =   1050
      Settings        =   "settings/ibutton13.bag"
   End
   Begin Zorvane.iButton iButton3
      Height          =   525
      Left            =   2880
      TabIndex        =   5
      ToolTipText     =   "1"
      Top             =   840
      Width           =   525
      Settings        =   "settings/ibutton3.bag"
   End
   Begin Zorvane.iButton iButton2
      Height          =   420
      Left            =   3950
      TabIndex        =   4
      ToolTipText     =   "×îÐ¡»¯"
      Top             =   10
      Width           =   420
      Settings        =   "settings/ibutton2.bag"
   End
   Begin Zorvane.iButton iButton1
      Height          =   420
      Left            =   4370
      TabIndex        =   3
      ToolTipText     =   "¹Ø±Õ"
      Top             =   10
      Width           =   420
      Settings        =   "settings/ibutton1.bag"
   End
   Begin TextBox Text1
      Alignment       =   0
      Appearance      =   0
      BackColor       =   &H80000005&
      BorderStyle     =   0
      BeginProperty Font
         Name            =   "Î¢ÈíÑÅºÚ"
         Size            =   10.5
         Charset         =   134
         Weight          =   400
         Underline       =   0
         Italic          =   0
         Strikethrough   =   0
      EndProperty
      ForeColor       =   &H80000008&
      Height          =   315
      AccessibleName  =   "NTFS MB"
      Index           =   2
      Left            =   960
      Locked          =   -1
      MaxLength       =   10
      TabIndex        =   2
      Top             =   2290
      Width           =   1215
   End
   Begin TextBox Text1
      Alignment       =   0
      Appearance      =   0
      BackColor       =   &H80000005&
      BorderStyle     =   0
      BeginProperty Font
         Name            =   "Î¢ÈíÑÅºÚ"
         Size            =   10.5
         Charset         =   134
         Weight          =   400
         Underline       =   0
         Italic          =   0
         Strikethrough   =   0
      EndProperty
      ForeColor       =   &H80000008&
      Height          =   315
      AccessibleName  =   "FAT32 MB"
      Index           =   1
      Left            =   960
      Locked          =   -1
      MaxLength       =   10
      TabIndex        =   1
      Top             =   1540
      Width           =   1215
   End
   Begin TextBox Text1
      Alignment       =   0
      Appearance      =   0
      BackColor       =   &H80000005&
      BorderStyle     =   0
      BeginProperty Font
         Name            =   "Î¢ÈíÑÅºÚ"
         Size            =   10.5
         Charset         =   134
         Weight          =   400
         Underline       =   0
         Italic          =   0
         Strikethrough   =   0
      EndProperty
      ForeColor       =   &H80000008&
      Height          =   315
      AccessibleName  =   "ÕûÊý GB"
      Index           =   0
      Left            =   960
      Locked          =   0
      MaxLength       =   6
      TabIndex        =   0
      Top             =   880
      Width           =   1215
   End
   Begin Zorvane.iButton iButton4
      Height          =   525
      Left            =   4080
      TabIndex        =   6
      ToolTipText     =   "6"
      Top             =   1440
      Width           =   525
      Settings        =   "settings/ibutton4.bag"
   End
   Begin Zorvane.iButton iButton5
      Height          =   525
      Left            =   3480
      TabIndex        =   7
      ToolTipText     =   "5"
      Top             =   1440
      Width           =   525
      Settings        =   "settings/ibutton5.bag"
   End
   Begin Zorvane.iButton iButton6
      Height          =   525
      Left            =   2880
      TabIndex        =   8
      ToolTipText     =   "4"
      Top             =   1440
      Width           =   525
      Settings        =   "settings/ibutton6.bag"
   End
   Begin Zorvane.iButton iButton7
      Height          =   525
      Left            =   4080
      TabIndex        =   9
      ToolTipText     =   "3"
      Top             =   840
      Width           =   525
      Settings        =   "settings/ibutton7.bag"
   End
   Begin Zorvane.iButton iButton8
      Height          =   525
      Left            =   3480
      TabIndex        =   10
      ToolTipText     =   "2"
      Top             =   840
      Width           =   525
      Settings        =   "settings/ibutton8.bag"
   End
   Begin Zorvane.iButton iButton9
      Height          =   525
      Left            =   2880
      TabIndex        =   11
      ToolTipText     =   "7"
      Top             =   2040
      Width           =   525
      Settings        =   "settings/ibutton9.bag"
   End
   Begin Zorvane.iButton iButton10
      Height          =   525
      Left            =   3480
      TabIndex        =   12
      ToolTipText     =   "8"
      Top             =   2040
      Width           =   525
      Settings        =   "settings/ibutton10.bag"
   End
   Begin Zorvane.iButton iButton11
      Height          =   525
      Left            =   4080
      TabIndex        =   13
      ToolTipText     =   "9"
      Top             =   2040
      Width           =   525
      Settings        =   "settings/ibutton11.bag"
   End
   Begin Zorvane.iButton iButton12
      Height          =   525
      Left            =   3480
      TabIndex        =   14
      ToolTipText     =   "0"
      Top             =   2640
      Width           =   525
      Settings        =   "settings/ibutton12.bag"
   End
   Begin Zorvane.iButton iButton14
      Height          =   525
      Left            =   1560
      TabIndex        =   16
      ToolTipText     =   "Çå¿Õ"
      Top             =   2700
      Width           =   1050
      Settings        =   "settings/ibutton14.bag"
   End
End
